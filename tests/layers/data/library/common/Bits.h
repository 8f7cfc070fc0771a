#pragma once
#include "storage/Book.h"
#include "library/zip/Zip.h"
