#include "Runner.h"

#include <algorithm>
#include <cstdio>
#include <functional>

#include "engine/Database.h"
#include "engine/Engine.h"
#include "engine/Recordset.h"
#include "grid/FlexGrid.h"
#include "hosting/ControlClass.h"
#include "hosting/VariantLiteral.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "runtime/Text.h"
#include "sampledb/Builder.h"
#include "settings/Store.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/CommandButton.h"
#include "toolkit/Keys.h"
#include "toolkit/MenuItem.h"
#include "toolkit/TextBox.h"
#include "toolkit/UserControl.h"

namespace scenario {

using hosting::formatLiteral;
using hosting::MemberKind;

namespace {

std::string colour(tk::Color c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "&H%08X&", static_cast<unsigned>(c));
    return buf;
}

std::string styleText(int style) {
    static const char* buttons[] = {"OKOnly", "OKCancel", "AbortRetryIgnore", "YesNoCancel", "YesNo", "RetryCancel"};
    const int b = style & 7;
    std::string s = b < 6 ? buttons[b] : std::to_string(b);
    switch (style & 0x70) {
    case tk::mb::Critical: s += "+Critical"; break;
    case tk::mb::Question: s += "+Question"; break;
    case tk::mb::Exclamation: s += "+Exclamation"; break;
    case tk::mb::Information: s += "+Information"; break;
    default: break;
    }
    if (style & 0x300) s += "+DefaultButton" + std::to_string(((style & 0x300) >> 8) + 1);
    return s;
}

const char* answerText(int a) {
    static const char* names[] = {"?", "OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};
    return a >= 1 && a <= 7 ? names[a] : "?";
}

struct KeyName { const char* name; int code; };
const KeyName kKeys[] = {
    {"Enter", tk::key::Return}, {"Return", tk::key::Return}, {"Escape", tk::key::Escape},
    {"Esc", tk::key::Escape},   {"Tab", tk::key::Tab},       {"Backspace", tk::key::Back},
    {"Back", tk::key::Back},    {"Space", tk::key::Space},   {"PageUp", tk::key::PageUp},
    {"PageDown", tk::key::PageDown}, {"End", tk::key::End},  {"Home", tk::key::Home},
    {"Left", tk::key::Left},    {"Up", tk::key::Up},         {"Right", tk::key::Right},
    {"Down", tk::key::Down},    {"Insert", tk::key::Insert}, {"Delete", tk::key::Delete},
    {"Del", tk::key::Delete},   {"Apps", tk::key::Apps},
};

int shiftWord(const std::string& w) {
    if (rt::text::equalsNoCase(w, "shift")) return tk::shift::Shift;
    if (rt::text::equalsNoCase(w, "ctrl")) return tk::shift::Ctrl;
    if (rt::text::equalsNoCase(w, "alt")) return tk::shift::Alt;
    return -1;
}

} // namespace

// ---- UI services that print what the user would see ------------------------

class Runner::Ui : public tk::HeadlessUi {
public:
    explicit Ui(std::ostream& out) : out_(out) {}
    int msgBox(std::string_view prompt, int style, std::string_view title) override {
        const int answer = HeadlessUi::msgBox(prompt, style, title);
        out_ << "msgbox " << styleText(style) << " " << formatLiteral(std::string(prompt));
        if (!title.empty()) out_ << " title " << formatLiteral(std::string(title));
        out_ << " -> " << answerText(answer) << "\n";
        return answer;
    }

protected:
    tk::MenuItem* pickFromMenu(tk::MenuItem& menu, int x, int y, int flags) override {
        tk::MenuItem* chosen = HeadlessUi::pickFromMenu(menu, x, y, flags);
        const MenuRecord& r = menus().back();
        out_ << "menu " << r.menu << " at " << x << "," << y << ":";
        for (const auto& e : r.items) {
            out_ << " " << std::string(static_cast<std::size_t>(e.depth), '>') << e.name;
            std::string flagsText;
            if (e.separator) flagsText += ",separator";
            if (!e.visible) flagsText += ",hidden";
            if (!e.enabled) flagsText += ",disabled";
            if (e.checked) flagsText += ",checked";
            if (!flagsText.empty()) out_ << "(" << flagsText.substr(1) << ")";
        }
        out_ << " -> " << (r.chosen.empty() ? "nothing" : r.chosen) << "\n";
        return chosen;
    }

private:
    std::ostream& out_;
};

// ---- events and notices of the controls -------------------------------------

class Runner::Sink : public hosting::IEventSink, public hosting::IPropertyNotify {
public:
    Sink(std::ostream& out, std::vector<Reply>& replies, const bool& notices)
        : out_(out), replies_(replies), notices_(notices) {}

    void event(std::string_view control, std::string_view name, std::vector<rt::Variant>& args) override {
        out_ << "event " << control << "." << name << "(";
        for (std::size_t i = 0; i < args.size(); ++i) out_ << (i ? ", " : "") << formatLiteral(args[i]);
        out_ << ")";
        // The script's replies to this event: by-reference parameters set by name.
        const hosting::EventInfo* info = nullptr;
        if (classOf) info = classOf(control) ? classOf(control)->findEvent(name) : nullptr;
        bool first = true;
        for (auto it = replies_.begin(); it != replies_.end();) {
            if (!rt::text::equalsNoCase(it->event, name)) { ++it; continue; }
            std::size_t index = args.size();
            if (info)
                for (std::size_t i = 0; i < info->params.size(); ++i)
                    if (rt::text::equalsNoCase(info->params[i].name, it->param)) index = i;
            out_ << (first ? " -> " : ", ") << it->param;
            first = false;
            if (index < args.size()) {
                args[index] = it->value;
                out_ << " = " << formatLiteral(it->value);
            } else {
                out_ << ": no such parameter";
            }
            it = replies_.erase(it);
        }
        out_ << "\n";
    }
    void propertyChanged(std::string_view control, std::string_view property) override {
        if (notices_) out_ << "changed " << control << "." << property << "\n";
    }

    std::function<const hosting::ControlClass*(std::string_view)> classOf;

private:
    std::ostream& out_;
    std::vector<Reply>& replies_;
    const bool& notices_;
};

class Runner::Trace : public tk::EventTrace {
public:
    explicit Trace(std::ostream& out) : out_(out) {}
    void event(std::string_view control, std::string_view name, std::string_view args) override {
        out_ << "trace " << control << " " << name;
        if (!args.empty()) out_ << " " << args;
        out_ << "\n";
    }

private:
    std::ostream& out_;
};

// ---- runner -------------------------------------------------------------------

Runner::Runner(std::ostream& out, RunnerOptions options)
    : out_(out), options_(std::move(options)), ui_(std::make_unique<Ui>(out)),
      sink_(std::make_unique<Sink>(out, replies_, notices_)), trace_(std::make_unique<Trace>(out)) {
    ui_->setToday(rt::dateSerial(2025, 1, 15));
    sink_->classOf = [this](std::string_view name) -> const hosting::ControlClass* {
        for (const auto& [n, c] : controls_)
            if (rt::text::equalsNoCase(n, name)) return &c->controlClass();
        return nullptr;
    };
}

Runner::~Runner() {
    controls_.clear();
    objects_.clear();
}

void Runner::finish() {
    if (!controls_.empty()) out_ << "> end\n";
    while (!controls_.empty()) controls_.pop_back();
    objects_.clear();
}

bool Runner::run(const std::vector<Line>& lines) {
    for (const Line& line : lines) {
        out_ << "> " << line.source << "\n";
        try {
            execute(line);
        } catch (const rt::Error& e) {
            printError(e);
        } catch (const ScriptError& e) {
            out_ << "script error, line " << line.number << ": " << e.what() << "\n";
            return false;
        }
    }
    return true;
}

void Runner::printError(const rt::Error& e) { out_ << "error " << e.number() << ": " << e.description() << "\n"; }

void Runner::execute(const Line& l) {
    using Handler = std::function<void(Runner&, const Line&)>;
    static const std::vector<std::pair<const char*, Handler>> commands{
        {"load", &Runner::cmdLoad},
        {"create", &Runner::cmdCreate},
        {"release", &Runner::cmdRelease},
        {"let", [](Runner& r, const Line& l) { r.cmdAssign(l, MemberKind::PropertyLet); }},
        {"set", [](Runner& r, const Line& l) { r.cmdAssign(l, MemberKind::PropertySet); }},
        {"get", &Runner::cmdGet},
        {"call", &Runner::cmdCall},
        {"save", &Runner::cmdSave},
        {"resize", [](Runner& r, const Line& l) { r.control(r.word(l, 1)).resize(r.number(l, 2), r.number(l, 3)); }},
        {"paint", [](Runner& r, const Line& l) { r.control(r.word(l, 1)).paint(); }},
        {"click", [](Runner& r, const Line& l) { r.cmdMouse(l, false); }},
        {"dblclick", [](Runner& r, const Line& l) { r.cmdMouse(l, true); }},
        {"drag", &Runner::cmdDrag},
        {"key", &Runner::cmdKey},
        {"type", &Runner::cmdType},
        {"pick", &Runner::cmdPick},
        {"focus", &Runner::cmdFocus},
        {"tab", &Runner::cmdFocus},
        {"leave", &Runner::cmdFocus},
        {"answer", &Runner::cmdAnswer},
        {"choose", [](Runner& r, const Line& l) {
             const std::string item = r.word(l, 1);
             r.ui_->queueMenuChoice(rt::text::equalsNoCase(item, "none") ? std::string() : item);
         }},
        {"reply", &Runner::cmdReply},
        {"doevents", [](Runner& r, const Line&) { r.out_ << "ran " << r.ui_->doEvents() << " events\n"; }},
        {"open-db", [](Runner& r, const Line& l) { r.cmdDatabase(l, false); }},
        {"create-db", [](Runner& r, const Line& l) { r.cmdDatabase(l, true); }},
        {"host-db", [](Runner& r, const Line& l) {
             // host-db NAME FOLDER: the host's database pair (sampledb) in a new
             // folder: @NAME the front-end, @NAME_backend the back-end.
             const std::string name = r.word(l, 1);
             const std::filesystem::path folder = r.path(r.word(l, 2));
             std::filesystem::create_directories(folder);
             engine::Workspace& ws = r.engineInstance().defaultWorkspace();
             const std::string back = (folder / "Daten.mdb").string();
             const auto replica = sampledb::sampleReplica();
             auto backend = sampledb::createBackend(ws, back, replica);
             auto frontend = sampledb::createFrontend(ws, (folder / "Pruefung.mde").string(), back, replica);
             r.objects_[name] = rt::Variant(std::shared_ptr<rt::Object>(frontend));
             r.objects_[name + "_backend"] = rt::Variant(std::shared_ptr<rt::Object>(backend));
         }},
        {"sql", &Runner::cmdSql},
        {"query", &Runner::cmdQuery},
        {"setting", &Runner::cmdSetting},
        {"show", &Runner::cmdShow},
        {"today", [](Runner& r, const Line& l) {
             const rt::Variant d = r.value(r.token(l, 1));
             if (d.type() != rt::VarType::Date) throw ScriptError("today takes a date literal");
             r.ui_->setToday(d.dateValue());
         }},
        {"locale", [](Runner& r, const Line& l) { r.regional_ = rt::Regional::fromLocaleName(r.word(l, 1)); }},
        {"trace", [](Runner& r, const Line& l) {
             tk::UserControl* uc = r.control(r.word(l, 1)).userControl();
             if (!uc) throw ScriptError("the control has no surface");
             uc->setTrace(r.word(l, 2) == "off" ? nullptr : r.trace_.get());
         }},
        {"notices", [](Runner& r, const Line& l) { r.notices_ = r.word(l, 1) != "off"; }},
        {"echo", [](Runner&, const Line&) {}},
    };
    const std::string cmd = word(l, 0);
    for (const auto& [name, handler] : commands) {
        if (cmd == name) {
            handler(*this, l);
            return;
        }
    }
    throw ScriptError("unknown command " + cmd);
}

// ---- helpers ------------------------------------------------------------------

const Token& Runner::token(const Line& l, std::size_t i) const {
    if (i >= l.tokens.size()) throw ScriptError("missing argument " + std::to_string(i));
    return l.tokens[i];
}

std::string Runner::word(const Line& l, std::size_t i) const {
    const Token& t = token(l, i);
    if (t.kind == Token::Literal && t.value.type() == rt::VarType::String) return t.value.stringValue();
    return t.text;
}

int Runner::number(const Line& l, std::size_t i) const {
    const Token& t = token(l, i);
    if (t.kind != Token::Literal || !t.value.isNumberKind()) throw ScriptError("a number expected: " + t.text);
    return rt::toLong(t.value, rt::Regional::english());
}

rt::Variant Runner::value(const Token& t) const {
    switch (t.kind) {
    case Token::Literal: return t.value;
    case Token::Ref: {
        auto it = objects_.find(t.text);
        if (it == objects_.end()) throw ScriptError("no object @" + t.text);
        return it->second;
    }
    case Token::Word:
        try {
            return hosting::parseLiteral(t.text);
        } catch (const rt::Error&) {
            throw ScriptError("not a value: " + t.text);
        }
    case Token::Assign: break;
    }
    throw ScriptError("a value expected");
}

hosting::IControl& Runner::control(const std::string& name) const {
    for (const auto& [n, c] : controls_)
        if (rt::text::equalsNoCase(n, name)) return *c;
    throw ScriptError("no control " + name);
}

tk::Control& Runner::child(const Line& l, std::size_t at) const {
    tk::UserControl* uc = control(word(l, at)).userControl();
    if (!uc) throw ScriptError("the control has no surface");
    return uc->control(word(l, at + 1));
}

std::filesystem::path Runner::path(const std::string& p) const {
    if (p.rfind("$WORK", 0) == 0) return options_.workDir.string() + p.substr(5);
    std::filesystem::path fp(p);
    return fp.is_absolute() ? fp : options_.baseDir / fp;
}

engine::Engine& Runner::engineInstance() {
    if (!engine_) engine_ = std::make_unique<engine::Engine>(regional_);
    return *engine_;
}

settings::Store& Runner::store() {
    if (!store_) {
        store_ = options_.settingsDir.empty() ? std::make_unique<settings::Store>()
                                               : std::make_unique<settings::Store>(options_.settingsDir);
    }
    return *store_;
}

// ---- commands -----------------------------------------------------------------

void Runner::cmdLoad(const Line& l) {
    const std::string name = word(l, 1);
    std::filesystem::path file;
    if (name.find('/') == std::string::npos && name.find(".so") == std::string::npos)
        file = options_.runnerDir / ("lib" + name + ".so");
    else
        file = path(name);
    auto lib = hosting::LibraryLoader::load(file.string());
    out_ << "library " << lib->descriptor().typeLibrary().name << " {" << lib->descriptor().typeLibrary().id << "}:";
    for (const auto& c : lib->descriptor().classes()) out_ << " " << c->name();
    out_ << "\n";
    libraries_.push_back(std::move(lib));
}

void Runner::cmdCreate(const Line& l) {
    const std::string name = word(l, 1);
    const std::string cls = word(l, 2);
    const hosting::PropertyBag* bag = nullptr;
    if (l.tokens.size() > 3) {
        if (word(l, 3) != "from") throw ScriptError("create NAME CLASS [from BAG]");
        auto it = bags_.find(word(l, 4));
        if (it == bags_.end()) throw ScriptError("no bag " + word(l, 4));
        bag = &it->second;
    }
    for (const auto& [n, c] : controls_)
        if (rt::text::equalsNoCase(n, name)) throw ScriptError("control " + name + " exists");
    hosting::Library* lib = nullptr;
    for (const auto& candidate : libraries_)
        if (candidate->findClass(cls)) { lib = candidate.get(); break; }
    if (!lib) throw rt::Error(429, "Can't create object: class '" + cls + "' is not in a loaded control library");
    hosting::HostSite site;
    site.events = sink_.get();
    site.notify = sink_.get();
    site.ui = ui_.get();
    site.settings = &store();
    site.ambient.displayName = name;
    site.ambient.regional = regional_;
    hosting::ControlPtr c = lib->create(cls, site);
    controls_.emplace_back(name, c);
    if (bag) c->readProperties(*bag);
    else c->initProperties();
}

void Runner::cmdRelease(const Line& l) {
    hosting::IControl* c = &control(word(l, 1));
    auto it = std::find_if(controls_.begin(), controls_.end(), [&](const auto& e) { return e.second.get() == c; });
    hosting::ControlPtr keep = std::move(it->second);
    controls_.erase(it);
    keep.reset();   // Terminate runs here, with the control out of the list
}

void Runner::cmdAssign(const Line& l, MemberKind kind) {
    // let|set CTL PROP [INDEX...] = VALUE
    std::size_t eq = 3;
    while (eq < l.tokens.size() && l.tokens[eq].kind != Token::Assign) ++eq;
    if (eq + 2 != l.tokens.size()) throw ScriptError("let|set CONTROL PROPERTY [INDEX...] = VALUE");
    std::vector<rt::Variant> args;
    for (std::size_t i = 3; i < eq; ++i) args.push_back(value(l.tokens[i]));
    args.push_back(value(l.tokens[eq + 1]));
    control(word(l, 1)).invoke(word(l, 2), kind, args);
}

void Runner::cmdGet(const Line& l) {
    std::vector<rt::Variant> args;
    for (std::size_t i = 3; i < l.tokens.size(); ++i) args.push_back(value(l.tokens[i]));
    std::string index;
    for (const auto& a : args) index += (index.empty() ? "(" : ", ") + formatLiteral(a);
    if (!index.empty()) index += ")";
    const rt::Variant v = control(word(l, 1)).invoke(word(l, 2), MemberKind::PropertyGet, args);
    out_ << word(l, 1) << "." << word(l, 2) << index << " = " << formatLiteral(v) << "\n";
}

void Runner::cmdCall(const Line& l) {
    hosting::IControl& c = control(word(l, 1));
    const std::string method = word(l, 2);
    std::vector<rt::Variant> args;
    for (std::size_t i = 3; i < l.tokens.size(); ++i) args.push_back(value(l.tokens[i]));
    const rt::Variant result = c.invoke(method, MemberKind::Method, args);
    const hosting::MemberInfo* m = c.controlClass().findMember(method, MemberKind::Method);
    if (m && m->result != hosting::ParamType::Void)
        out_ << word(l, 1) << "." << m->name << " -> " << formatLiteral(result) << "\n";
    if (m)
        for (std::size_t i = 0; i < m->params.size() && i < args.size(); ++i)
            if (m->params[i].byRef) out_ << "  ByRef " << m->params[i].name << " = " << formatLiteral(args[i]) << "\n";
}

void Runner::cmdSave(const Line& l) {
    hosting::PropertyBag bag;
    control(word(l, 1)).writeProperties(bag);
    const std::string name = word(l, 2);
    out_ << "bag " << name << ":\n";
    const std::string text = bag.toText();
    std::size_t start = 0;
    while (start < text.size()) {
        const auto nl = text.find('\n', start);
        out_ << "  " << text.substr(start, nl - start) << "\n";
        start = nl + 1;
    }
    bags_[name] = std::move(bag);
}

namespace {

grid::FlexGrid& asGrid(tk::Control& c) {
    auto* g = dynamic_cast<grid::FlexGrid*>(&c);
    if (!g) throw ScriptError(c.name() + " is no grid");
    return *g;
}

// Middle of a cell, in the grid's coordinates.
std::pair<int, int> cellPoint(grid::FlexGrid& g, int row, int col) {
    return {g.colPos(col) + g.colWidth(col) / 2, g.rowPos(row) + g.rowHeight(row) / 2};
}

} // namespace

void Runner::cmdMouse(const Line& l, bool dbl) {
    // click|dblclick CTL CHILD [ROW COL] [right|middle] [shift|ctrl|alt ...]
    tk::Control& c = child(l, 1);
    std::size_t i = 3;
    int row = -1, col = -1, button = tk::button::Left, shift = 0;
    if (i < l.tokens.size() && l.tokens[i].kind == Token::Literal) {
        row = number(l, i);
        col = number(l, i + 1);
        i += 2;
    }
    for (; i < l.tokens.size(); ++i) {
        const std::string w = word(l, i);
        if (w == "right") button = tk::button::Right;
        else if (w == "middle") button = tk::button::Middle;
        else if (shiftWord(w) >= 0) shift |= shiftWord(w);
        else throw ScriptError("unknown word " + w);
    }
    if (row >= 0) {
        grid::FlexGrid& g = asGrid(c);
        const auto [x, y] = cellPoint(g, row, col);
        if (dbl) g.doubleClick(x, y, shift);
        else g.click(x, y, button, shift);
        return;
    }
    if (dbl) throw ScriptError("dblclick needs a grid cell");
    if (auto* b = dynamic_cast<tk::CommandButton*>(&c)) b->click();
    else if (auto* cb = dynamic_cast<tk::CheckBox*>(&c)) cb->click();
    else if (auto* t = dynamic_cast<tk::TextBox*>(&c)) {
        t->mouseDown(button, shift, 0, 0);
        t->mouseUp(button, shift, 0, 0);
    } else if (auto* m = dynamic_cast<tk::MenuItem*>(&c)) {
        if (m->canChoose()) m->raiseClick();
    } else {
        throw ScriptError("cannot click a " + c.kind());
    }
}

void Runner::cmdDrag(const Line& l) {
    grid::FlexGrid& g = asGrid(child(l, 1));
    const auto [x1, y1] = cellPoint(g, number(l, 3), number(l, 4));
    const auto [x2, y2] = cellPoint(g, number(l, 5), number(l, 6));
    g.mouseDown(tk::button::Left, 0, x1, y1);
    g.mouseMove(tk::button::Left, 0, x2, y2);
    g.mouseUp(tk::button::Left, 0, x2, y2);
}

void Runner::cmdKey(const Line& l) {
    // key CTL CHILD KEY [shift|ctrl|alt ...]
    tk::Control& c = child(l, 1);
    const Token& k = token(l, 3);
    int code = -1;
    if (k.kind == Token::Literal && k.value.isNumberKind()) code = number(l, 3);
    for (const auto& kn : kKeys)
        if (rt::text::equalsNoCase(k.text, kn.name)) code = kn.code;
    if (code < 0 && k.text.size() >= 2 && (k.text[0] == 'F' || k.text[0] == 'f')) {
        const int n = std::atoi(k.text.c_str() + 1);
        if (n >= 1 && n <= 12) code = 111 + n;
    }
    if (code < 0) throw ScriptError("unknown key " + k.text);
    int shift = 0;
    for (std::size_t i = 4; i < l.tokens.size(); ++i) {
        const int s = shiftWord(word(l, i));
        if (s < 0) throw ScriptError("unknown word " + word(l, i));
        shift |= s;
    }
    if (code == tk::key::Tab && c.parent()) {
        c.parent()->focus().tab(!(shift & tk::shift::Shift));
        return;
    }
    if (auto* e = dynamic_cast<tk::EditControl*>(&c)) e->pressKey(code, shift);
    else if (auto* g = dynamic_cast<grid::FlexGrid*>(&c)) g->pressKey(code, shift);
    else throw ScriptError("cannot press keys on a " + c.kind());
}

void Runner::cmdType(const Line& l) {
    tk::Control& c = child(l, 1);
    const std::string text = word(l, 3);
    if (auto* e = dynamic_cast<tk::EditControl*>(&c)) e->typeText(text);
    else if (auto* g = dynamic_cast<grid::FlexGrid*>(&c)) g->typeText(text);
    else throw ScriptError("cannot type into a " + c.kind());
}

void Runner::cmdPick(const Line& l) {
    auto* combo = dynamic_cast<tk::ComboBox*>(&child(l, 1));
    if (!combo) throw ScriptError("pick needs a combo box");
    combo->chooseItem(number(l, 3));
}

void Runner::cmdFocus(const Line& l) {
    const std::string cmd = word(l, 0);
    if (cmd == "focus") {
        child(l, 1).setFocus();
        return;
    }
    tk::UserControl* uc = control(word(l, 1)).userControl();
    if (!uc) throw ScriptError("the control has no surface");
    if (cmd == "leave") uc->focus().leave();
    else uc->focus().tab(!(l.tokens.size() > 2 && word(l, 2) == "back"));
}

void Runner::cmdAnswer(const Line& l) {
    static const char* names[] = {"OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};
    for (std::size_t i = 1; i < l.tokens.size(); ++i) {
        int a = 0;
        if (l.tokens[i].kind == Token::Literal) a = number(l, i);
        for (int n = 0; n < 7; ++n)
            if (rt::text::equalsNoCase(l.tokens[i].text, names[n])) a = n + 1;
        if (a == 0) throw ScriptError("unknown answer " + l.tokens[i].text);
        ui_->queueAnswer(a);
    }
}

void Runner::cmdReply(const Line& l) {
    // reply EVENT PARAM = VALUE
    if (l.tokens.size() != 5 || l.tokens[3].kind != Token::Assign) throw ScriptError("reply EVENT PARAMETER = VALUE");
    replies_.push_back({word(l, 1), word(l, 2), value(l.tokens[4])});
}

void Runner::cmdDatabase(const Line& l, bool create) {
    // open-db|create-db NAME PATH [PASSWORD]
    const std::string name = word(l, 1);
    const std::string file = path(word(l, 2)).string();
    const std::string password = l.tokens.size() > 3 ? word(l, 3) : std::string();
    std::shared_ptr<engine::Database> db;
    if (create) {
        db = engineInstance().defaultWorkspace().createDatabase(file, password);
    } else {
        engine::OpenOptions o;
        if (!password.empty()) o.connect = "MS Access;pwd=" + password;
        db = engineInstance().defaultWorkspace().openDatabase(file, o);
    }
    objects_[name] = rt::Variant(std::shared_ptr<rt::Object>(db));
}

namespace {
std::shared_ptr<engine::Database> databaseOf(const rt::Variant& v) {
    auto db = v.objectAs<engine::Database>();
    if (!db) throw ScriptError("not a database");
    return db;
}
} // namespace

void Runner::cmdSql(const Line& l) {
    auto db = databaseOf(value(token(l, 1)));
    db->execute(word(l, 2));
    out_ << db->recordsAffected() << " rows affected\n";
}

void Runner::cmdQuery(const Line& l) {
    auto db = databaseOf(value(token(l, 1)));
    auto rs = db->openRecordset(word(l, 2), engine::RecordsetType::Snapshot);
    const int n = rs->fields().count();
    for (int i = 0; i < n; ++i) out_ << (i ? " | " : "") << rs->fields()[i].name();
    out_ << "\n";
    long rows = 0;
    while (!rs->eof()) {
        for (int i = 0; i < n; ++i) out_ << (i ? " | " : "") << formatLiteral(rs->value(i));
        out_ << "\n";
        ++rows;
        rs->moveNext();
    }
    rs->close();
    out_ << "(" << rows << " rows)\n";
}

void Runner::cmdSetting(const Line& l) {
    // setting APP SECTION KEY = VALUE
    if (l.tokens.size() != 6 || l.tokens[4].kind != Token::Assign) throw ScriptError("setting APP SECTION KEY = VALUE");
    store().saveSetting(word(l, 1), word(l, 2), word(l, 3), rt::textOf(value(l.tokens[5]), regional_));
}

void Runner::cmdShow(const Line& l) {
    const std::string what = word(l, 1);
    if (what == "grid") return showGrid(l);
    if (what == "controls") return showControls(l);
    if (what == "layout") return showLayout(l);
    if (what == "members") return showMembers(l);
    if (what == "bag") {
        auto it = bags_.find(word(l, 2));
        if (it == bags_.end()) throw ScriptError("no bag " + word(l, 2));
        out_ << it->second.toText();
        return;
    }
    if (what == "settings") {
        for (const auto& [k, v] : store().getAllSettings(word(l, 2), word(l, 3)))
            out_ << k << "=" << formatLiteral(v) << "\n";
        return;
    }
    if (what == "pointer") {
        out_ << "pointer " << ui_->mousePointer() << " (history";
        for (int p : ui_->pointerHistory()) out_ << " " << p;
        out_ << ")\n";
        return;
    }
    if (what == "clipboard") {
        out_ << "clipboard " << (ui_->clipboardHasText() ? formatLiteral(ui_->clipboardText()) : "(no text)") << "\n";
        return;
    }
    throw ScriptError("show grid|controls|layout|members|bag|settings|pointer|clipboard");
}

void Runner::showGrid(const Line& l) {
    // show grid CTL GRID [rows A B] [cols A B]
    grid::FlexGrid& g = asGrid(child(l, 2));
    int r0 = 0, r1 = g.rows() - 1, c0 = 0, c1 = g.cols() - 1;
    for (std::size_t i = 4; i < l.tokens.size(); i += 3) {
        const std::string w = word(l, i);
        if (w == "rows") { r0 = number(l, i + 1); r1 = std::min(r1, number(l, i + 2)); }
        else if (w == "cols") { c0 = number(l, i + 1); c1 = std::min(c1, number(l, i + 2)); }
        else throw ScriptError("show grid CONTROL GRID [rows A B] [cols A B]");
    }
    out_ << "grid " << g.name() << ": " << g.rows() << " rows, " << g.cols() << " cols, fixed " << g.fixedRows()
         << "/" << g.fixedCols() << ", cell " << g.row() << "," << g.col() << ", sel " << g.row() << "," << g.col()
         << "-" << g.rowSel() << "," << g.colSel() << ", top " << g.topRow() << ", left " << g.leftCol() << "\n";
    out_ << "  widths:";
    for (int c = c0; c <= c1; ++c) out_ << " " << c << "=" << g.colWidth(c);
    out_ << "\n  heights:";
    for (int r = r0; r <= r1; ++r) out_ << " " << r << "=" << g.rowHeight(r);
    out_ << "\n";
    for (int r = r0; r <= r1; ++r) {
        std::string line;
        for (int c = c0; c <= c1; ++c) {
            const std::string_view text = g.textView(r, c);
            std::string marks;
            if (g.fontBoldAt(r, c)) marks += ",b";
            if (g.foreColorAt(r, c) != g.foreColor()) marks += ",fc=" + colour(g.foreColorAt(r, c));
            if (text.empty() && marks.empty()) continue;
            line += " " + std::to_string(c) + "=" + formatLiteral(std::string(text));
            if (!marks.empty()) line += "{" + marks.substr(1) + "}";
        }
        if (line.empty() && g.rowData(r) == 0) continue;
        out_ << "  r" << r;
        if (g.rowData(r) != 0) out_ << " data=" << g.rowData(r);
        out_ << ":" << line << "\n";
    }
}

void Runner::showControls(const Line& l) {
    tk::UserControl* uc = control(word(l, 2)).userControl();
    if (!uc) throw ScriptError("the control has no surface");
    for (tk::Control* c : uc->controls()) {
        out_ << "  " << c->name() << " " << c->kind();
        if (!c->caption().empty()) out_ << " " << formatLiteral(c->caption());
        if (auto* e = dynamic_cast<tk::EditControl*>(c)) {
            out_ << " text=" << formatLiteral(e->text());
            if (e->locked()) out_ << " locked";
        }
        if (auto* cb = dynamic_cast<tk::ComboBox*>(c))
            out_ << " list=" << cb->listCount() << " index=" << cb->listIndex();
        if (auto* chk = dynamic_cast<tk::CheckBox*>(c)) out_ << " value=" << chk->value();
        if (auto* m = dynamic_cast<tk::MenuItem*>(c); m && m->checked()) out_ << " checked";
        if (auto* g = dynamic_cast<grid::FlexGrid*>(c)) out_ << " " << g->rows() << "x" << g->cols();
        if (!c->enabled()) out_ << " disabled";
        if (!c->visible()) out_ << " hidden";
        if (uc->focus().focused() == c) out_ << " focus";
        out_ << "\n";
    }
}

void Runner::showLayout(const Line& l) {
    tk::UserControl* uc = control(word(l, 2)).userControl();
    if (!uc) throw ScriptError("the control has no surface");
    out_ << "  " << uc->name() << " " << uc->width() << "x" << uc->height() << " back=" << colour(uc->backColor())
         << "\n";
    for (tk::Control* c : uc->controls()) {
        if (dynamic_cast<tk::MenuItem*>(c)) continue;
        out_ << "  " << c->name() << " " << c->left() << "," << c->top() << " " << c->width() << "x" << c->height()
             << " tab=" << c->tabIndex() << " back=" << colour(c->backColor()) << " fore=" << colour(c->foreColor())
             << "\n";
    }
}

void Runner::showMembers(const Line& l) {
    const hosting::ControlClass& cls = control(word(l, 2)).controlClass();
    out_ << "class " << cls.name() << " {" << cls.id() << "} " << cls.defaultInterface().name << " {"
         << cls.defaultInterface().id << "}\n";
    for (const auto& m : cls.members()) {
        out_ << "  " << m.dispId << " " << hosting::kindName(m.kind) << " " << m.name << "(";
        for (std::size_t i = 0; i < m.params.size(); ++i)
            out_ << (i ? ", " : "") << (m.params[i].byRef ? "ByRef " : "") << m.params[i].name << " As "
                 << hosting::typeName(m.params[i].type);
        out_ << ")";
        if (m.result != hosting::ParamType::Void) out_ << " As " << hosting::typeName(m.result);
        out_ << "\n";
    }
    out_ << "events " << cls.eventInterface().name << " {" << cls.eventInterface().id << "}\n";
    for (const auto& e : cls.events()) {
        out_ << "  " << e.name << "(";
        for (std::size_t i = 0; i < e.params.size(); ++i)
            out_ << (i ? ", " : "") << (e.params[i].byRef ? "ByRef " : "") << e.params[i].name << " As "
                 << hosting::typeName(e.params[i].type);
        out_ << ")\n";
    }
}

} // namespace scenario
