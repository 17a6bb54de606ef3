// What the panel hands on to the object that drives it (on Windows and natively, the
// plug-in object): the commands of its buttons and radios, Return in a move or
// rotation field, and the close box. The panel computes nothing itself.
#pragma once

class PanelClient {
 public:
  // Carries out the command of control id: a button or radio of the layout, or the
  // move button (ctl::kMove) or the rotate button (ctl::kRotate) for Return in a move
  // or rotation field. False when id has no command; the panel then leaves it to the
  // platform's default processing.
  virtual bool RunCommand(int id) = 0;
  // The close box: the panel has hidden itself, and the station is no longer shown.
  virtual void OnPanelClosed() = 0;

 protected:
  ~PanelClient() = default;
};
