#include "bench/operations.h"

#include "panel/control_ids.h"
#include "panel/panel_driver.h"

void PreparePanel(PanelDriver& panel, const BenchOperation& operation) {
  panel.Click(operation.local ? ctl::kLocal : ctl::kGlobal);
  panel.Click(ctl::kRelative);
  // Small relative moves and a turn that keeps the grid where it is, so that repeated
  // runs keep the coordinates in range.
  panel.SetText(ctl::kMoveX, "0.5");
  panel.SetText(ctl::kMoveY, "-0.25");
  panel.SetText(ctl::kMoveZ, "0");
  panel.SetText(ctl::kRotateX, "0");
  panel.SetText(ctl::kRotateY, "0");
  panel.SetText(ctl::kRotateZ, "90");
}

void RunPluginOperation(PanelDriver& panel, MQDocument doc,
                        int (*onEvent)(MQDocument, int, void*),
                        const BenchOperation& operation) {
  switch (operation.baseline) {
    case BaselineOperation::kRefresh:
      onEvent(doc, 210, nullptr);
      break;
    case BaselineOperation::kMove:
      panel.Click(ctl::kMove);
      break;
    case BaselineOperation::kRotate:
      panel.Click(ctl::kRotate);
      break;
    case BaselineOperation::kSetAxis:
      panel.Click(ctl::kAlignCentreX);
      break;
    case BaselineOperation::kSetLocalFrame:
      panel.Click(ctl::kSetLocalFrame);
      break;
  }
}
