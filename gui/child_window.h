// The life cycle of a child window of the main window: the main window loads it from the project
// on every activation and commits it on every deactivation (see gui/main_form.h). Dialogs include
// this header instead of the main window's.
#pragma once

class TChildWindow {
 public:
  virtual ~TChildWindow() = default;
  // Activation step: shows the project's current values (also after a unit switch).
  virtual void loadFromProject() {}
  // Deactivation step: writes the values shown into the project. False when a field refused its
  // entry (the window keeps it, explains it and takes the focus back); the command that asked for
  // the commit then stops, so that nothing runs or is saved other than what the screen shows.
  virtual bool commitToProject() { return true; }
};
