#pragma once

class QWidget;

namespace orv {

class TInterfaceTexts;
class TReport;
class TUiServices;

// What the viewer's E-mail button does, by the messaging type: the SMTP
// editor, then the report sent over SMTP; the local mail system's editor,
// then the report alone handed to it; or straight to the mail client with
// the settings' fields. Outcomes and failures are told through `ui`.
// Without `showEditor` (a host that answers dialogs itself) the editors are
// taken as they would open, so nothing blocks.
void emailReportFromViewer(const TReport& report, const TInterfaceTexts& texts, TUiServices& ui, QWidget* parent,
                           bool showEditor);

} // namespace orv
