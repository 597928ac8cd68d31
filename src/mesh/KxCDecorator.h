#pragma once

namespace KxMesh {

/// Base of the decorators of a drawing or picking role: holds one component of
/// the same role, which it owns unless the component is a process-wide
/// singleton (those live until the process ends and are never deleted).
/// Base must declare `virtual bool is_Singleton() const`.
template <class Base>
class KxCDecorator : public Base {
public:
    ~KxCDecorator() override { Release_Component(); }

    /// Stores the component (deleting an owned previous one) and returns this
    /// decorator; the decorator itself is refused and null is returned.
    KxCDecorator* set_Component(Base* component)
    {
        if (component == this) return nullptr;
        if (component != mp_Component) Release_Component();
        mp_Component = component;
        return this;
    }
    Base* get_Component() const { return mp_Component; }
    bool is_Singleton() const override { return false; }

protected:
    Base* mp_Component = nullptr;

private:
    void Release_Component()
    {
        if (mp_Component && !mp_Component->is_Singleton()) delete mp_Component;
        mp_Component = nullptr;
    }
};

} // namespace KxMesh
