#pragma once
// The image list is a component now (gui/TImageList.h); its drawing part is
// TCustomImageList beside this header.
#include "gui/TImageList.h"
