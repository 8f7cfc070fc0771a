#pragma once
#include "import/Decode.h"
#include "library/zip/Zip.h"
#include "library/rar/Rar.h"
