#pragma once
#include <string>
#include "storage/Book.h"
