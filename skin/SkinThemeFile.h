#pragma once
// The skin file unit: the reader with IsValidThemeFile, and the writer.
#include "skin/TskThemeFileReader.h"
#include "skin/TskThemeFileWriter.h"
