#pragma once
// Display properties of an application item, animation properties and the
// load options.
#include <string>

#include "pipeline/params/KxCGCntrProp.h"
#include "pipeline/params/KxEnums.h"

namespace OrvaneImage {

/// Display and information properties of one application item.
class KxCAppProp {
public:
    static constexpr const char* Caption = "Application Properties";

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// Still image or video; fixed when the item is created (read-only in the inspector).
    KxEnumAppMode App_Mode() const { return m_App_Mode; }
    void set_App_Mode(KxEnumAppMode v) { m_App_Mode = v; }
    /// What the main view draws.
    KxEnumOrvaneMode Orvane_Mode() const { return m_Orvane_Mode; }
    void set_Orvane_Mode(KxEnumOrvaneMode v) { m_Orvane_Mode = v; }
    /// When true the stamps are not masked out of the object's area.
    bool See_Through() const { return m_See_Through; }
    void set_See_Through(bool v) { m_See_Through = v; }
    /// Stamp container display.
    KxCStampGCntrProp& StampGrid_Cntr() { return m_StampGrid_Cntr; }
    const KxCStampGCntrProp& StampGrid_Cntr() const { return m_StampGrid_Cntr; }

private:
    KxEnumAppMode m_App_Mode = KxEnumAppMode::Orvane_Image;
    KxEnumOrvaneMode m_Orvane_Mode = KxEnumOrvaneMode::Develop;
    bool m_See_Through = false;
    KxCStampGCntrProp m_StampGrid_Cntr;
};

/// Keyframe counts and playback settings of an animation.
class KxCAnimeProp {
public:
    static constexpr const char* Caption = "Animation Properties";

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// Keyframes read.
    int Total_Keys() const { return m_Total_Keys; }
    void set_Total_Keys(int v) { m_Total_Keys = v; }
    /// Frames after interpolation.
    int Total_Frames() const { return m_Total_Frames; }
    void set_Total_Frames(int v) { m_Total_Frames = v; }
    /// Interpolated frames between two keyframes.
    int Inter_Frames() const { return m_Inter_Frames; }
    void set_Inter_Frames(int v) { m_Inter_Frames = v; }
    /// Playback wraps at the last frame.
    bool Loop() const { return m_Loop; }
    void set_Loop(bool v) { m_Loop = v; }
    /// Playback timer interval in milliseconds.
    int Time_Interval() const { return m_Time_Interval; }
    void set_Time_Interval(int v) { m_Time_Interval = v; }

private:
    int m_Total_Keys = 0;
    int m_Total_Frames = 0;
    int m_Inter_Frames = 0;
    bool m_Loop = true;
    int m_Time_Interval = 100;
};

/// Options of a mesh load.
class KxCIOProp {
public:
    static constexpr const char* Caption = "Basic I/O Properties";

    virtual ~KxCIOProp() = default;

    /// Inspector caption (the animation options have their own).
    virtual std::string ToString() const { return Caption; }

    /// Move the model's centre to the origin.
    bool Centerize() const { return m_Centerize; }
    void set_Centerize(bool v) { m_Centerize = v; }
    /// Scale the model so that its largest side is 1.
    bool Normalize() const { return m_Normalize; }
    void set_Normalize(bool v) { m_Normalize = v; }
    /// Draw through vertex buffer objects.
    bool Use_VBO() const { return m_Use_VBO; }
    void set_Use_VBO(bool v) { m_Use_VBO = v; }
    /// Drop the model onto the ground.
    bool Gravity() const { return m_Gravity; }
    void set_Gravity(bool v) { m_Gravity = v; }

private:
    bool m_Centerize = false;
    bool m_Normalize = false;
    bool m_Use_VBO = true;
    bool m_Gravity = false;
};

/// Options of an animation load.
class KxCAIOProp : public KxCIOProp {
public:
    static constexpr const char* Caption = "Animation I/O Properties";

    /// Inspector caption.
    std::string ToString() const override { return Caption; }

    /// Frames interpolated between two keyframes.
    int Inter_Frames() const { return m_Inter_Frames; }
    void set_Inter_Frames(int v) { m_Inter_Frames = v; }

private:
    int m_Inter_Frames = 0;
};

} // namespace OrvaneImage
