// Scenario scripts: what gridwell-host runs against the plug-in. A scenario is a
// plain-text file, one step a line; '#' starts a comment, blank lines are skipped.
// Tokens are separated by blanks; a token in double quotes may hold blanks and the
// escapes \n \r \t \\ \" and \xHH. Integers are decimal or 0x-hex, floats decimal.
// Objects are named by their index in the document, controls by ID or by name
// (MoveX, Move, Global, ...: the names of the layout table, panel/layout_table.inc,
// and HideCommand and CloseCommand for the commands that have no control).
//
// Document (each file starts from an empty one):
//   object [NAME]                    new object; later vertex/face steps add to it
//   empty-slot                       an object index without an object
//   vertex X Y Z                     vertices X Y Z [X Y Z ...]
//   face I J ...                     a face of any length (two points: a line)
//   select-vertex OBJ V [V ...]      select-face OBJ F [F ...]
//   select-line OBJ FACE K           line K runs from point K to point (K + 1) mod n
//   select-all-vertices OBJ          deselect-all
//   current OBJ                      the current object; -1 for none
//   matrix OBJ M0 ... M15            global matrix; its inverse is computed
//   translate OBJ X Y Z              global matrix = a translation
//   inverse OBJ M0 ... M15           overrides the inverse with chosen bits
//   float-array OBJ ID V ...         770 and 771 take 3 floats, 772 takes 16
//   refuse-callbacks yes|no          reset
//   wait MS                          pause, the host pumping messages meanwhile
//
// Real models (OBJ is described in host/obj_file.h). OBJ below is an object's index
// or its name (a token that is not an int, or any quoted one):
//   load-obj "PATH"                  the document becomes the file's objects; the
//                                    first with vertices is current
//   save-obj "PATH"                  writes the loaded file back with the moved
//                                    positions (a plain OBJ of every object when no
//                                    file was loaded); all or nothing
//   select-all                       every vertex of every object
//   select-object OBJ                every vertex of one object
//   select-box X0 Y0 Z0 X1 Y1 Z1     every vertex inside the box, in any object
//   current OBJ                      (as above; -1 or an unused index also allowed)
//   frame-follows-arrays OBJ yes|no  while yes, after every step the object's global
//                                    matrix is the frame of its arrays 770 and 771
//                                    (host/frame_from_arrays.h); with no, the matrix
//                                    stays where it is. Off by default.
//   record "LABEL"                   a row for the table: the selection's count,
//                                    centre and size as the host measures them
//   print-table                      the rows recorded so far
//   interact                         leaves the panel to a person until it is closed
//                                    (Windows build, a panel on a screen)
//
// After the last step every scenario checks that the plug-in called no host function
// but the typed ones of plugin/host_functions.h and edited nothing outside a station
// callback; either fails the scenario.
//
// Calls into the plug-in (each sets the answer or text that expectations check):
//   call MQCheckVersion V            call MQInit [host | incomplete-host | "PATH"]
//   call MQGetPlugInID               call MQGetPlugInName     call MQGetPlugInType
//   call MQEnumString N              call MQEnumFileType N    call MQEnumFileExt N
//   call MQImportFile N              call MQExportFile N      (no file name)
//   call MQCreate N                  call MQModifyObject N    call MQModifySelect N
//   event CODE [OPTION ...]          MQOnEvent with the document. OPTIONs: KEY=INT
//                                    (an int the host owns), KEY=ptr (a pointer the
//                                    plug-in must not look into), KEY=null; or the
//                                    single word null (a null list), or flag N (a
//                                    pointer to one int, for events 100 and 102)
//
// Panel, through the plug-in's panel driver:
//   click ID    command ID [NOTIFICATION]    type ID "TEXT" (\n types Return)
//   hover ID    the mouse left on the control's middle, so that its tooltip shows
//   key VK (a number or RETURN, ESCAPE, TAB, SPACE, UP, DOWN, LEFT, RIGHT): WM_KEYDOWN
//     straight to the panel window, as if it had the focus
//   press TAB|RETURN|ESCAPE          a key pressed and released into whatever has the
//                                    focus, through the host's dialog keyboard
//                                    handling: Tab moves to the next tab stop; Return
//                                    presses a focused push button, runs a move or
//                                    rotation field's operation, else presses the
//                                    default button Move; Escape closes the panel as
//                                    the close box does. A hidden panel takes no key.
//   set-text ID "TEXT"
//
// Expectations (a failed one ends the scenario with FILE:LINE and what was seen):
//   expect answer N                  expect text "S" | null     expect text-prefix "S"
//   expect option KEY N              the int behind KEY in the last event's list
//   expect plugin-id PRODUCT ID      after call MQGetPlugInID
//   expect calls HOSTFUNCTION N      expect station-callbacks N
//   expect messages N                expect message I [code N] [product N] [id N]
//                                                     [index N] [option N]
//   expect vertex OBJ V X Y Z [ulps N | within D]   exact float bits unless a
//   expect float-array OBJ ID V ... [ulps N | within D]   tolerance is given
//   expect selected N                vertices the plug-in would treat as selected
//   expect edits-outside-callback N
//   expect field ID "TEXT"   expect checked ID yes|no   expect enabled ID yes|no
//   expect beeps N           expect visible yes|no      expect panel yes|no
//   expect focus ID|none
//
// Output: print vertex OBJ V | print float-array OBJ ID | print field ID |
//         print answer | print text | echo "S" | print-table
// Floats print with %.9g, which gives every float back exactly.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

class PanelDriver;

namespace standin {

class PluginModule;
struct RunState;

// One parsed step: its line and what it does. run answers an empty string on
// success, else what went wrong (without the file:line, which the runner adds).
struct Step {
  int line = 0;
  std::string text;
  std::function<std::string(RunState&)> run;
};

struct Scenario {
  std::string file;
  std::vector<Step> steps;
};

// Parses a whole script. Answers true when every line parsed; otherwise false, with
// one "FILE:LINE: message" per malformed line in errors.
bool ParseScenario(const std::string& text, const std::string& file, Scenario* scenario,
                   std::vector<std::string>* errors);

// What the runner needs from its surroundings.
struct RunEnvironment {
  PluginModule* plugin = nullptr;
  std::string hostPath;            // what "call MQInit" and "call MQInit host" pass
  std::string incompleteHostPath;  // what "call MQInit incomplete-host" passes
  // The panel driver, or null with a reason why there is none.
  std::function<PanelDriver*(std::string* why)> panelDriver;
  // Called after every step (the Windows build pumps the thread's messages here).
  std::function<void()> afterStep;
  std::ostream* out = nullptr;  // print and echo
  // Whether the panel is a window on a screen a person can use ('interact').
  bool panelOnScreen = false;
  // Steps from the command line, run before and after each scenario's own.
  Scenario before, after;
};

// Runs a parsed scenario from a fresh document. Answers true when every step
// passed; otherwise false with "FILE:LINE: message" of the first failing step.
bool RunScenario(const Scenario& scenario, RunEnvironment& environment, std::string* failure);

// Reads, parses and runs one scenario file, printing "PASS FILE" or the errors to
// out. Answers whether it passed.
bool RunScenarioFile(const std::string& path, RunEnvironment& environment, std::ostream& out);

// Formats a float as %.9g.
std::string FormatFloat(float value);

}  // namespace standin
