#pragma once
// The descriptor of every parameter and property class.
#include "pipeline/params/KxCPropDesc.h"

namespace OrvaneImage {

class KxCXFormParam;
class KxCFilterParam;
class KxCLightParam;
class KxCSilhoParam;
class KxCShadeParam;
class KxCImptSParam;
class KxCRandSParam;
class KxCSampleParam;
class KxCDecalParam;
class KxCBrkParam;
class KxCMultiResParam;
class KxCDGFilterParam;
class KxCDecalGParam;
class KxCMeshParam;
class KxCSGFilterParam;
class KxCStampGParam;
class KxCAppParam;
class KxCRenderColorProp;
class KxCRenderModeProp;
class KxCSampleMaskProp;
class KxCDecalCntrProp;
class KxCDecalGCntrProp;
class KxCWndGCntrProp;
class KxCStampGCntrProp;
class KxCMeshProp;
class KxCAppProp;
class KxCAnimeProp;
class KxCIOProp;
class KxCAIOProp;
class KxCOIBrkParam;
class KxCOIParam;
class KxCOVParam;

/// The descriptor of class T, built on first use and kept for the process.
/// Defined only for the classes declared below.
template <class T>
const KxCClassDesc& Describe();

template <> const KxCClassDesc& Describe<KxCXFormParam>();
template <> const KxCClassDesc& Describe<KxCFilterParam>();
template <> const KxCClassDesc& Describe<KxCLightParam>();
template <> const KxCClassDesc& Describe<KxCSilhoParam>();
template <> const KxCClassDesc& Describe<KxCShadeParam>();
template <> const KxCClassDesc& Describe<KxCImptSParam>();
template <> const KxCClassDesc& Describe<KxCRandSParam>();
template <> const KxCClassDesc& Describe<KxCSampleParam>();
template <> const KxCClassDesc& Describe<KxCDecalParam>();
template <> const KxCClassDesc& Describe<KxCBrkParam>();
template <> const KxCClassDesc& Describe<KxCMultiResParam>();
template <> const KxCClassDesc& Describe<KxCDGFilterParam>();
template <> const KxCClassDesc& Describe<KxCDecalGParam>();
template <> const KxCClassDesc& Describe<KxCMeshParam>();
template <> const KxCClassDesc& Describe<KxCSGFilterParam>();
template <> const KxCClassDesc& Describe<KxCStampGParam>();
template <> const KxCClassDesc& Describe<KxCAppParam>();
template <> const KxCClassDesc& Describe<KxCRenderColorProp>();
template <> const KxCClassDesc& Describe<KxCRenderModeProp>();
template <> const KxCClassDesc& Describe<KxCSampleMaskProp>();
template <> const KxCClassDesc& Describe<KxCDecalCntrProp>();
template <> const KxCClassDesc& Describe<KxCDecalGCntrProp>();
template <> const KxCClassDesc& Describe<KxCWndGCntrProp>();
template <> const KxCClassDesc& Describe<KxCStampGCntrProp>();
template <> const KxCClassDesc& Describe<KxCMeshProp>();
template <> const KxCClassDesc& Describe<KxCAppProp>();
template <> const KxCClassDesc& Describe<KxCAnimeProp>();
template <> const KxCClassDesc& Describe<KxCIOProp>();
template <> const KxCClassDesc& Describe<KxCAIOProp>();
template <> const KxCClassDesc& Describe<KxCOIBrkParam>();
template <> const KxCClassDesc& Describe<KxCOIParam>();
template <> const KxCClassDesc& Describe<KxCOVParam>();

} // namespace OrvaneImage
