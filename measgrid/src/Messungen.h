#pragma once
// Messungen: the measurement grid control. A host form places it, binds it
// to its databases (trelvanDB) and selects a circuit (StromkreisID); the
// control shows every measurement row of that circuit with its limit marks.
//
// Public interface (_Messungen, in declared order; see MeasLibrary.cpp):
// trelvanReplicaID, trelvanDB, StromkreisID, Sprache, Save, AppPath,
// TextMatrix(Row, Col), ColWidth(index), AllowEdits, AllowAdditions,
// AllowDeletions, LimitSupport; event Grenzwert(MessID, Col).
//
// Order of use by the host: trelvanDB, AppPath and trelvanReplicaID first,
// then Sprache, the permission flags, and StromkreisID last (setting it
// loads the grid).
//
// Failures: setters, Save and the persistence handlers let every error
// reach the host (number and description); what was changed before the
// error stays changed (the front-end stays bound when "Kunde" is missing or
// the back-end cannot be opened; a new StromkreisID stays stored when the
// stored "CheSpalten" setting is no number). The loading reports its own
// errors, so assigning StromkreisID succeeds even when the load does not.
// The resize handling ignores errors.
//
// State: the library-wide items live in MeasState (shared by all controls
// of the thread); StromkreisID, Sprache and the permission flags belong to
// the control.
#include <cstdint>
#include <string>

#include "MeasState.h"
#include "ModuleContext.h"
#include "hosting/ControlBase.h"
#include "toolkit/CheckBox.h"
#include "toolkit/CommandButton.h"
#include "toolkit/Label.h"
#include "toolkit/TextBox.h"
#include "toolkit/UserControl.h"

namespace grid { class FlexGrid; }

namespace measgrid {

class Messungen : public hosting::ControlBase {
public:
    explicit Messungen(const hosting::CreateContext& ctx);
    ~Messungen() override;
    tk::UserControl* userControl() override { return &surface_; }

    // ---- interface ----------------------------------------------------------
    rt::Variant trelvanReplicaID() const;
    void setTrelvanReplicaID(const rt::Variant& S_trelvanReplicaID);
    rt::Variant trelvanDB() const;
    void setTrelvanDB(const rt::Variant& New_trelvanDB);
    rt::Variant stromkreisID() const { return stromkreisID_; }
    void setStromkreisID(const rt::Variant& sStromkreisID);
    std::string sprache() const { return sprache_; }
    void setSprache(const rt::Variant& sSprache);
    void save();
    std::string appPath() const;
    void setAppPath(const rt::Variant& sAppPath);
    std::string textMatrix(std::int32_t row, std::int32_t col) const;
    void setTextMatrix(std::int32_t row, std::int32_t col, const std::string& New_TextMatrix);
    std::int32_t colWidth(std::int32_t index) const;
    void setColWidth(std::int32_t index, std::int32_t New_ColWidth);
    bool allowEdits() const { return allowEdits_ != 0; }
    void setAllowEdits(const rt::Variant& sAllowEdits);
    bool allowAdditions() const { return allowAdditions_ != 0; }
    void setAllowAdditions(const rt::Variant& sAllowAdditions);
    bool allowDeletions() const { return allowDeletions_ != 0; }
    void setAllowDeletions(const rt::Variant& sAllowDeletions);
    bool limitSupport() const;
    void setLimitSupport(const rt::Variant& sLimitSupport);

    // ---- parts, for the module's routines and tests ----------------------------
    grid::FlexGrid& fg2() { return fg2_; }
    tk::CheckBox& cheSpalten() { return cheSpalten_; }
    tk::TextBox& txtEdit() { return txtEdit_; }
    MeasState& state() const;
    ModuleContext moduleContext() const;

private:
    void onInitialize() override;
    void onReadProperties(const hosting::PropertyBag& bag) override;
    void onWriteProperties(hosting::PropertyBag& bag) override;
    void onResize() override;
    void onPaint() override;
    void onTerminate() override;

    void CheSpalten_Click();
    void fg2_LostFocus();
    void UserControl_ExitFocus();
    void layout();
    void loadCircuit();
    void enable(const char* name, bool on);

    tk::UserControl surface_{"Messungen"};
    tk::Label& label10_;
    tk::CheckBox& cheSpalten_;
    tk::CommandButton& comKomprimieren_;
    tk::CommandButton& comLoeschen_;
    tk::CommandButton& comZeileEinfuegen_;
    grid::FlexGrid& fg2_;
    tk::TextBox& txtEdit_;

    rt::Variant stromkreisID_;
    std::string sprache_;
    std::int16_t allowEdits_ = -1, allowAdditions_ = -1, allowDeletions_ = -1;
};

} // namespace measgrid
