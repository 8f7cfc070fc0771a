#pragma once
#include "import/Decode.h"
#include "storage/Book.h"
