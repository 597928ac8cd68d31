#pragma once
// Lazily created process-wide service instance. A stateless service class T
// derives from KxCSingleton<T>; its one instance is made on first request and
// lives until the process ends.

template <class T>
class KxCSingleton {
public:
    virtual ~KxCSingleton() = default;

    /// The instance, created with T's default constructor on the first call.
    /// Callers never delete it. Not guarded against two threads racing on the first call.
    static T* InstancePtr()
    {
        if (!ms_Instance) ms_Instance = new T();
        return ms_Instance;
    }

private:
    static T* ms_Instance;
};

template <class T>
T* KxCSingleton<T>::ms_Instance = nullptr;
