#include "Probe.h"

#include <new>
#include <stdexcept>

#include "hosting/PropertyBag.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "toolkit/UiServices.h"

namespace probe {

using hosting::Args;
using hosting::byRef;
using hosting::param;
using hosting::ParamType;

ProbeLibrary::ProbeLibrary() : LibraryDescriptor("pgtestcontrol", "5B7A61C0-2E44-4C1B-9A3E-0F6D1C2B7A10") {
    hosting::ClassBuilder<Probe> b("Probe", "9C1E4F3A-7B2D-4E6A-8F10-3A5B6C7D8E90");
    b.defaultInterface("_Probe", "0D4C2B1A-6E5F-4A3B-9C8D-7E6F5A4B3C21");
    b.eventInterface("__Probe", "1E5D3C2B-7F60-4B4C-8D9E-8F7A6B5C4D32");
    b.get("Caption", ParamType::String, &Probe::caption)
        .help("Text of the caption label.");
    b.let("Caption", {param("New_Caption", ParamType::String)}, &Probe::setCaption);
    b.get("Count", ParamType::Long, &Probe::count);
    b.let("Count", {param("New_Count", ParamType::Long)}, &Probe::setCount);
    b.get("Active", ParamType::Boolean, &Probe::active);
    b.let("Active", {param("New_Active", ParamType::Boolean)}, &Probe::setActive);
    b.get("Source", ParamType::Object, [](Probe& p) { return p.source_; });
    b.set("Source", {param("New_Source", ParamType::Object)},
          [](Probe& p, const rt::Variant& v) { p.source_ = v; });
    b.get("Item", ParamType::String,
          [](Probe& p, Args& a) { return p.items_.at(static_cast<std::size_t>(a[0].longValue())); },
          {param("Index", ParamType::Long)});
    b.let("Item", {param("Index", ParamType::Long), param("New_Item", ParamType::String)},
          [](Probe& p, Args& a) { p.items_.at(static_cast<std::size_t>(a[0].longValue())) = a[1].stringValue(); });
    b.get("Shared", ParamType::Variant, [](Probe& p) { return p.shared().value; });
    b.let("Shared", {param("S_Shared")}, [](Probe& p, const rt::Variant& v) { p.shared().value = v; });
    b.get("Instances", ParamType::Long, [](Probe& p) { return std::int32_t(p.shared().instances); });
    b.method("Twice", {byRef("Value", ParamType::Long)}, ParamType::Long, &Probe::twice);
    b.method("Rename", {param("Text", ParamType::String)}, ParamType::String, &Probe::rename);
    b.method("Ask", {param("Prompt", ParamType::String)}, ParamType::Integer, &Probe::ask)
        .help("Asks a Yes/No question and returns the answer.");
    b.method("Fail", {param("Number", ParamType::Long), param("Description", ParamType::String)}, ParamType::Void,
             [](Probe&, Args& a) { throw rt::Error(a[0].longValue(), a[1].stringValue(), "pgtestcontrol"); });
    b.method("Crash", {param("Kind", ParamType::String)}, ParamType::Void, [](Probe&, Args& a) {
        if (a[0].stringValue() == "alloc") throw std::bad_alloc();
        throw std::logic_error("probe crashed");
    });
    b.method("Mark", {param("Row", ParamType::Long), param("Col", ParamType::Long)}, ParamType::Void, &Probe::mark);
    b.method("Popup", {}, ParamType::String, &Probe::popup);
    b.event("Changing", {byRef("Text", ParamType::String), byRef("Cancel", ParamType::Boolean)});
    b.event("Clicked", {});
    addClass(b.build());
}

Probe::Probe(const hosting::CreateContext& ctx)
    : ControlBase(ctx),
      label_(surface_.add<tk::Label>("lblCaption")),
      button_(surface_.add<tk::CommandButton>("cmdGo")),
      input_(surface_.add<tk::TextBox>("txtInput")),
      grid_(static_cast<grid::FlexGrid&>(surface_.adopt(std::make_unique<grid::FlexGrid>("fgData")))),
      menu_(surface_.addMenu("mnuProbe", "&Probe")) {
    label_.move(60, 60, 1800, 255);
    button_.setCaption("Go");
    button_.move(1920, 60, 900, 315);
    button_.setTabIndex(1);
    input_.move(60, 420, 2760, 315);
    input_.setTabIndex(0);
    grid_.move(60, 780, 2760, 960);
    grid_.setTabIndex(2);
    grid_.setRows(4);
    grid_.setCols(3);
    for (int i = 1; i < 4; ++i) grid_.setTextMatrix(i, 0, std::to_string(i));
    for (int i = 1; i < 3; ++i) grid_.setTextMatrix(0, i, std::string(1, char('A' + i - 1)));
    grid_.setRowData(2, 1043);
    menu_.setVisible(false);
    surface_.addMenu("mnuEins", "&Eins", &menu_);
    surface_.addMenu("mnuTrenn", "-", &menu_);
    surface_.addMenu("mnuZwei", "&Zwei", &menu_).setEnabled(false);
    button_.onClick = [this] {
        std::vector<rt::Variant> none;
        raiseEvent("Clicked", none);
    };
}

SharedState& Probe::shared() const { return static_cast<ProbeLibrary&>(library()).shared.get(); }

void Probe::setCaption(const rt::Variant& v) {
    caption_ = v.stringValue();
    label_.setCaption(caption_);
    propertyChanged("Caption");
}

void Probe::setCount(const rt::Variant& v) {
    if (v.longValue() < 0) throw rt::Error(rt::err::InvalidPropertyValue, "Invalid property value");
    count_ = v.longValue();
}

void Probe::setActive(const rt::Variant& v) {
    active_ = v.boolValue();
    button_.setEnabled(active_);
    propertyChanged("Active");
}

rt::Variant Probe::twice(Args& a) {
    const std::int32_t old = a[0].longValue();
    a[0] = rt::Variant(std::int32_t(old * 2));
    return old;
}

rt::Variant Probe::rename(Args& a) {
    std::vector<rt::Variant> args{a[0], rt::Variant(false)};
    raiseEvent("Changing", args);
    if (rt::toBool(args[1], regional())) return "cancelled";
    setCaption(rt::Variant(rt::textOf(args[0], regional())));
    return caption_;
}

rt::Variant Probe::ask(Args& a) {
    return std::int16_t(ui().msgBox(a[0].stringValue(), tk::mb::YesNo | tk::mb::Question));
}

void Probe::mark(Args& a) {
    grid_.setRow(a[0].longValue());
    grid_.setCol(a[1].longValue());
    grid_.setCellFontBold(true);
    grid_.setCellForeColor(0x000000FFu);
}

std::string Probe::popup() {
    tk::MenuItem* chosen = ui().popupMenu(menu_, 300, 400);
    return chosen ? chosen->name() : std::string();
}

void Probe::onInitialize() {
    ++shared().instances;
    surface_.initialize();
}

void Probe::onInitProperties() { setCaption(rt::Variant("Probe")); }

void Probe::onReadProperties(const hosting::PropertyBag& bag) {
    caption_ = rt::textOf(bag.read("Caption", ""), regional());
    label_.setCaption(caption_);
    count_ = rt::toLong(bag.read("Count", std::int32_t(0)), regional());
    active_ = rt::toBool(bag.read("Active", true), regional());
    button_.setEnabled(active_);
}

void Probe::onWriteProperties(hosting::PropertyBag& bag) {
    bag.write("Caption", caption_, "");
    bag.write("Count", count_, std::int32_t(0));
    bag.write("Active", active_, true);
}

void Probe::onResize() {
    surface_.resize(width(), height());
    input_.setWidth(std::max(0, width() - 120));
}

void Probe::onTerminate() {
    --shared().instances;
    surface_.terminate();
}

} // namespace probe
