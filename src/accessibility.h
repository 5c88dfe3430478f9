#ifndef ACCESSIBILITY_H
#define ACCESSIBILITY_H

// Makes assistive technology see a plain widget shown as a dialog (a
// top-level QWidget with the Qt::Dialog window type, such as the definition
// dialog) as a dialog, as it sees a QDialog, rather than as a bare client
// area. Call once, after the application object is made and before any
// window is shown.
void installAccessibility();

#endif
