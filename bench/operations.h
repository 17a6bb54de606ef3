// The benchmarked operations, as the panel and the host run them on the plug-in, and
// the document configurations they run on.
#pragma once

#include "bench/host_call_baseline.h"
#include "bench/quad_grid.h"

class PanelDriver;

struct BenchOperation {
  const char* name;
  BaselineOperation baseline;
  bool local;  // the panel's Local radio instead of Global
};

inline constexpr BenchOperation kBenchOperations[] = {
    {"RefreshReadouts", BaselineOperation::kRefresh, false},
    {"RefreshReadouts/Local", BaselineOperation::kRefresh, true},
    {"MoveSelection/Global", BaselineOperation::kMove, false},
    {"MoveSelection/Local", BaselineOperation::kMove, true},
    {"RotateSelection", BaselineOperation::kRotate, false},
    {"SetSelectionAxis", BaselineOperation::kSetAxis, false},
    {"SetLocalFrameFromSelection", BaselineOperation::kSetLocalFrame, false},
};

inline constexpr int kBenchSizes[] = {10000, 100000, 1000000};

// Every selection kind with one object and with eight for the refresh, which runs on
// every document event; two configurations for the operations a person clicks.
inline constexpr GridShape kRefreshShapes[] = {
    {0, 1, SelectionKind::kFaces},    {0, 8, SelectionKind::kFaces},
    {0, 1, SelectionKind::kLines},    {0, 8, SelectionKind::kLines},
    {0, 1, SelectionKind::kVertices}, {0, 8, SelectionKind::kVertices},
};
inline constexpr GridShape kOperationShapes[] = {
    {0, 1, SelectionKind::kFaces},
    {0, 8, SelectionKind::kVertices},
};

// Sets the panel up for the operation: mode radios and the typed amounts.
void PreparePanel(PanelDriver& panel, const BenchOperation& operation);

// Runs the operation once as the host and the person at the panel would: a refresh
// is document event 210; the others are clicks on their buttons.
void RunPluginOperation(PanelDriver& panel, MQDocument doc,
                        int (*onEvent)(MQDocument, int, void*),
                        const BenchOperation& operation);
