#include "ConfigTemplate.h"

#include "resource.h"

const TemplateControl configControls[kConfigControlCount] = {
#define CONTROL_ROW(id, kind, caption, x, y, width, height) \
    {id, ControlKind::kind, caption, x, y, width, height},
#include "ConfigControls.inc"
#undef CONTROL_ROW
};

bool enabledInTemplate(ControlKind kind)
{
    return kind != ControlKind::PushDisabled && kind != ControlKind::CheckDisabled;
}
