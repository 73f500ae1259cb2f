// The favourites pane.
#include "app/TFrmMain.h"

void TFrmMain::webFavoritesBeforeNavigate2(TObject*, const std::string&, bool&) {}
