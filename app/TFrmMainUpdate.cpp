// The start record, the game-list downloads and the update check.
#include "app/TFrmMain.h"

// The start record and the game-list downloads run from here.
void TFrmMain::FormShow(TObject*) {}

void TFrmMain::timUpdateTimer(TObject*) { timUpdate->SetEnabled(false); }
