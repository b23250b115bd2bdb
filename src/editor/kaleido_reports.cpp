// Summaries and record sheets, started from the editor's menu.
#include "frm_kaleido.h"

#include "appearance/user_dialogs.h"
#include "core/globalvars.h"
#include "dialogs/frm_printform.h"
#include "dialogs/frm_sumchoice.h"
#include "reports/frm_sumgrid.h"
#include "reports/record_sheet.h"

namespace tessaran {

void frm_kaleido::mnu_summary_Click()
{
    if (!settle_edits())
        return;
    if (gv().sel_matched == 0) {
        msgbox(this, QStringLiteral("Last select operation returned no matching kaleidoscope records"),
               MsgIcon::critical);
        return;
    }
    frm_sumchoice choice(
        [this](int) {
            frm_sumgrid grid(this);
            if (grid.loaded())
                grid.exec();
        },
        this);
    choice.run();
}

void frm_kaleido::mnu_printforms_Click()
{
    if (!settle_edits())
        return;
    frm_printform* shown = nullptr;
    frm_printform dlg([&shown](int first, int last) { return print_record_sheets(shown, first, last); },
                      [&shown](int first, int last) { return preview_record_sheets(shown, first, last); }, this);
    shown = &dlg;
    dlg.exec();
}

}  // namespace tessaran
