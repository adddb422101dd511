#pragma once
// IControl: a control as its host sees it. Every call goes to the control
// library's own code (virtual), and the only exception that leaves it is
// rt::Error: the library converts anything else at its boundary (see
// Boundary.h). After a failed call, the control is in whatever state the
// member left it (what was changed before the error stays changed).
//
// Lifecycle, driven by the host: Initialize runs when the library creates
// the control; then InitProperties (a new control) or ReadProperties (a
// saved one); Resize and Paint as the host lays it out; WriteProperties when
// the host saves its form; Terminate when the host releases the control
// (the ControlPtr of LibraryLoader.h does this itself).
#include <memory>
#include <string_view>
#include <vector>

#include "hosting/Types.h"
#include "runtime/Variant.h"

namespace tk { class UserControl; }

namespace hosting {

class ControlClass;
class PropertyBag;

class IControl {
public:
    virtual ~IControl() = default;

    // The class the control was created from (its type information).
    virtual const ControlClass& controlClass() const = 0;

    // Invokes a member by name (case-insensitive). args are the member's
    // parameters in declared order; for a let / set the assigned value is
    // the last. By-reference arguments are written back into args.
    // Errors: 438 when the class has no such member of that kind, 450 when
    // the number of arguments differs from the declared one, 13 / 424 when
    // an argument cannot be converted to its declared type, otherwise the
    // member's own error.
    virtual rt::Variant invoke(std::string_view name, MemberKind kind, std::vector<rt::Variant>& args) = 0;

    virtual void initProperties() = 0;
    virtual void readProperties(const PropertyBag& bag) = 0;
    virtual void writeProperties(PropertyBag& bag) = 0;
    // New size of the control in twips.
    virtual void resize(int width, int height) = 0;
    virtual void paint() = 0;
    // Run once; a control is not used afterwards.
    virtual void terminate() = 0;

    // The control's surface with its child controls, for front-ends and
    // scripts to render it and feed input; null for a control without one.
    virtual tk::UserControl* userControl() = 0;
};

// Shorthands for hosts.
rt::Variant getProperty(IControl& c, std::string_view name, std::vector<rt::Variant> index = {});
void letProperty(IControl& c, std::string_view name, rt::Variant value, std::vector<rt::Variant> index = {});
void setProperty(IControl& c, std::string_view name, rt::Variant object, std::vector<rt::Variant> index = {});
// By-reference arguments come back in args.
rt::Variant callMethod(IControl& c, std::string_view name, std::vector<rt::Variant>& args);
rt::Variant callMethod(IControl& c, std::string_view name);

} // namespace hosting
