#pragma once
// How the project document reaches the label selection dialog and the template guide: the
// application installs these runners at start-up (the document cannot see the user interface).
class COstrelindSoftLabelDoc;

// Registers the dialogs' window classes and hands the runners to the document.
void InstallLabelDialogRunners();
// The area shown by the document's first design view; -1 when it has none.
int FirstDesignViewArea(const COstrelindSoftLabelDoc* doc);
