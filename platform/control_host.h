// What the Windows platform needs of the window runtime: the live properties of the loaded
// forms, their window handles, and their release at the end of the program.
#pragma once

#include "platform/platform_services.h"

namespace wavoro {

class ControlHost {
public:
    virtual ~ControlHost() = default;

    // The live value; none for an unknown element or property.
    virtual PropertyValue getControlProperty(ElementId window, ElementId control,
                                             PropertyNumber property) = 0;
    // Takes effect at once; an unknown element or property is passed over.
    virtual void setControlProperty(ElementId window, ElementId control, PropertyNumber property,
                                    const PropertyValue& value) = 0;
    // The window's handle (an HWND), nullptr when it does not exist.
    virtual void* windowHandle(ElementId window) = 0;
    // Destroys the loaded forms' windows (end-of-program clean-up).
    virtual void releaseForms() = 0;
};

} // namespace wavoro
