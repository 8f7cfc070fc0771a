#pragma once
#include "settings/Options.h"
#include "import/Decode.h"
#include "library/zip/Zip.h"
