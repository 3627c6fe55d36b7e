// The value boxes txtValue(0..4) and the party boxes txtParty(0..7): every
// change, typed or set by a load, is rewritten at once by the box's rule, so
// the boxes never hold a text the store walk could refuse.

#include "savedata/ViewNames.h"
#include "ui/FrmMain.h"
#include "ui/TextBox.h"
#include "savedata/rules/TextRules.h"

namespace zovek {

namespace {

void Apply(TextBox* box, const RuleResult& ruled) { box->rewrite(QString::fromStdString(ruled.text), ruled.selectAll); }

}  // namespace

// txtValue(i) changed, by typing or by the program.
void FrmMain::ValueBoxChanged(int i) {
  TextBox* box = txtValue[static_cast<std::size_t>(i)];
  Apply(box, ValueBoxChange(i, box->text().toStdString()));
}

// txtParty(i) changed, by typing or by the program.
void FrmMain::PartyBoxChanged(int i) {
  TextBox* box = txtParty[static_cast<std::size_t>(i)];
  Apply(box, PartyBoxChange(box->text().toStdString()));
}

// txtParty(i) lost the focus; the save command runs this for all eight. The
// label follows the code only here, so typing alone leaves the old name.
void FrmMain::PartyBoxLeft(int i) {
  TextBox* box = txtParty[static_cast<std::size_t>(i)];
  const PartyLeave left = PartyBoxLeave(box->text().toStdString());
  ShowPartyLabel(*this, left.code, i);
  box->rewrite(QString::fromStdString(left.text), false);
}

}  // namespace zovek
