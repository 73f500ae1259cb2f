#include "gui/StandardClasses.h"

// The standard controls (panels, labels, images, buttons, edits, lists, ...).
void RegisterControlClasses() {}
