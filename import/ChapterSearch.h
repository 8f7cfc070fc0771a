#pragma once
namespace zeb {
class ChapterSearch {};
}
