#pragma once
// Probe: the small control of the test library pgtestcontrol. It has one of
// everything the hosting layer carries: text, Long, Boolean and object
// properties, an indexed property, a method with a by-reference argument,
// events with by-reference arguments, property-change notices, persisted
// properties with defaults, a message box through the UI services, and a
// value kept in library-wide state (one per thread).
//
// Members in declared order (class Probe, interface _Probe):
//   Caption      get/let String   shown by the label lblCaption; notifies
//   Count        get/let Long     negative values: error 380
//   Active       get/let Boolean  enables the button cmdGo; notifies
//   Source       get/set Object   any object reference
//   Item(Index)  get/let String   four slots 0..3; other indexes: error 9
//   Shared       get/let Variant  library-wide, per thread
//   Instances    get Long         Probe controls alive on this thread
//   Twice(ByRef Value As Long) As Long   doubles Value, returns the old one
//   Rename(Text As String) As String     raises Changing(Text, Cancel);
//                                        unless cancelled sets Caption to the
//                                        (possibly changed) Text and returns it
//   Ask(Prompt As String) As Integer     message box Yes/No, returns the answer
//   Fail(Number As Long, Description As String)   raises that error
//   Crash(Kind As String)                throws a non-runtime exception
//                                        ("alloc": bad_alloc, else logic_error)
//   Mark(Row As Long, Col As Long)       marks a cell of fgData bold and red
//   Popup() As String                    shows the menu mnuProbe, returns the
//                                        name of the item chosen ("" for none)
// Children: lblCaption, cmdGo, txtInput, the grid fgData (4 x 3, one fixed
// row and column, headings "A", "B" and "1" to "3", row data 1043 in row 2) and the menu mnuProbe
// with mnuEins, a separator and mnuZwei (disabled).
// Events (__Probe): Changing(ByRef Text As String, ByRef Cancel As Boolean),
//   Clicked() when cmdGo is clicked.
// Persisted: "Caption" (default ""), "Count" (0), "Active" (True).
#include <array>
#include <memory>
#include <string>

#include "hosting/ControlBase.h"
#include "hosting/LibraryDescriptor.h"
#include "hosting/PerThreadState.h"
#include "grid/FlexGrid.h"
#include "toolkit/CommandButton.h"
#include "toolkit/Label.h"
#include "toolkit/TextBox.h"
#include "toolkit/UserControl.h"

namespace probe {

// Library-wide state of pgtestcontrol.
struct SharedState {
    rt::Variant value;
    int instances = 0;
};

class ProbeLibrary : public hosting::LibraryDescriptor {
public:
    ProbeLibrary();
    hosting::PerThreadState<SharedState> shared;
};

class Probe : public hosting::ControlBase {
public:
    explicit Probe(const hosting::CreateContext& ctx);
    tk::UserControl* userControl() override { return &surface_; }

    std::string caption() const { return caption_; }
    void setCaption(const rt::Variant& v);
    std::int32_t count() const { return count_; }
    void setCount(const rt::Variant& v);
    bool active() const { return active_; }
    void setActive(const rt::Variant& v);
    rt::Variant twice(hosting::Args& a);
    rt::Variant rename(hosting::Args& a);
    rt::Variant ask(hosting::Args& a);
    void mark(hosting::Args& a);
    std::string popup();

    SharedState& shared() const;

private:
    void onInitialize() override;
    void onInitProperties() override;
    void onReadProperties(const hosting::PropertyBag& bag) override;
    void onWriteProperties(hosting::PropertyBag& bag) override;
    void onResize() override;
    void onTerminate() override;

    tk::UserControl surface_{"Probe"};
    tk::Label& label_;
    tk::CommandButton& button_;
    tk::TextBox& input_;
    grid::FlexGrid& grid_;
    tk::MenuItem& menu_;
    std::string caption_;
    std::int32_t count_ = 0;
    bool active_ = true;
    rt::Variant source_ = rt::Variant(std::shared_ptr<rt::Object>());
    std::array<std::string, 4> items_;

    friend class ProbeLibrary;
};

} // namespace probe
