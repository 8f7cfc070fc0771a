#pragma once
#include "library/common/Bits.h"
#include "library/rar/Rar.h"
#include "ZipMethods.h"
