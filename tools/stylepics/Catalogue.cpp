#include "tools/stylepics/Catalogue.h"

#include <memory>
#include <vector>

#include "tools/stylepics/AppPictures.h"
#include "tools/stylepics/SharedPictures.h"
#include "tools/stylepics/TBlueGlassKit.h"
#include "tools/stylepics/TDeepBlueKit.h"
#include "tools/stylepics/TMacOSKit.h"
#include "tools/stylepics/TProteinKit.h"
#include "tools/stylepics/TWinXPKit.h"

namespace stylepics {

void MakeAllPictures(TPictureSet& set) {
    std::vector<std::unique_ptr<TStyleKit>> kits;
    kits.push_back(std::make_unique<TMacOSKit>());
    kits.push_back(std::make_unique<TWinXPKit>());
    kits.push_back(std::make_unique<TDeepBlueKit>());
    kits.push_back(std::make_unique<TProteinKit>());
    kits.push_back(std::make_unique<TBlueGlassKit>());
    for (auto& kit : kits)
        kit->PaintAll(set);
    PaintSharedPictures(set);
    PaintAppPictures(set);
}

} // namespace stylepics
