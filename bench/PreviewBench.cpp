// The import preview on a 200 MB text in five code pages: the time from Show to the first
// painted rows, and the time of End (the whole text read for its line ends, then the last rows
// painted). Each text is generated in a temporary folder and read once before it is timed, so
// that every code page starts from the system's file cache. Targets: first rows under 0.2 s in
// every code page; End under 2 s for 1252, UTF-8 and UTF-16LE.
// Run: xvfb-run -a -s "-screen 0 1280x800x24" build/bench/preview_bench [megabytes, default 200]
// (or QT_QPA_PLATFORM=offscreen build/bench/preview_bench)
#include <unicode/ucnv.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include "import/ZEBCodepage.h"
#include "import/ui/TAA_Encode.h"
#include "import/ui/TZEBEncode.h"
#include "platform/CodePageDecoder.h"
#include "platform/CodePages.h"
#include "platform/TempDir.h"
#include "storage/ZEBFile.h"

namespace {

using namespace zeb;
using Clock = std::chrono::steady_clock;

struct Sample {
    int32_t codePage;
    const char* label;
    std::u16string lines;  // a few lines of text in the code page's script
};

double Seconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

std::string Encode(const std::u16string& text, int32_t codePage)
{
    if (codePage == UnicodeCodePage)
        return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    UErrorCode error = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(IcuConverterName(codePage), &error);
    std::string bytes(text.size() * 8 + 16, '\0');
    int32_t length = ucnv_fromUChars(converter, bytes.data(), int32_t(bytes.size()),
                                     reinterpret_cast<const UChar*>(text.data()),
                                     int32_t(text.size()), &error);
    ucnv_close(converter);
    if (U_FAILURE(error)) {
        std::fprintf(stderr, "cannot encode in %d\n", int(codePage));
        std::exit(1);
    }
    bytes.resize(size_t(length));
    return bytes;
}

// The sample's lines repeated up to size bytes.
void WriteText(const std::string& path, const std::string& block, int64_t size)
{
    std::ofstream out(path, std::ios::binary);
    for (int64_t written = 0; written < size; written += int64_t(block.size()))
        out.write(block.data(), std::streamsize(block.size()));
}

void ReadOnce(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<char> buffer(1 << 20);
    while (in.read(buffer.data(), std::streamsize(buffer.size())))
        ;
}

// Notes when the preview control has finished painting.
class PaintWatch : public QObject {
public:
    Clock::time_point painted;
    int paints = 0;

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        object->removeEventFilter(this);
        object->event(event);
        object->installEventFilter(this);
        painted = Clock::now();
        ++paints;
        return true;
    }
};

void WaitForPaint(PaintWatch& watch, int before)
{
    while (watch.paints == before)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void Measure(TAA_Encode& dialog, const Sample& sample, const std::string& path)
{
    ZEBFile source;
    source.Open(path, FileAccess::Read, 20, 3);
    TZEBEncode* preview = dialog.findChild<TZEBEncode*>("preview");
    PaintWatch watch;
    preview->installEventFilter(&watch);
    double firstRows = 0, end = 0;
    int32_t rows = 0;
    const Clock::time_point shown = Clock::now();
    QTimer::singleShot(0, &dialog, [&] {
        WaitForPaint(watch, 0);
        firstRows = Seconds(shown, watch.painted);
        const int before = watch.paints;
        const Clock::time_point pressed = Clock::now();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
        QCoreApplication::sendEvent(preview, &press);
        WaitForPaint(watch, before);
        end = Seconds(pressed, watch.painted);
        rows = dialog.Lines().Entries().Count();
        dialog.reject();
    });
    dialog.Show(source, u"Filename: bench.txt", sample.codePage);
    preview->removeEventFilter(&watch);
    std::printf("%-10s first rows %7.3f s   End %7.3f s   (%d entries, %s)\n", sample.label,
                firstRows, end, int(rows), firstRows < 0.2 ? "ok" : "SLOW");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    const int64_t megabytes = argc > 1 ? std::atoll(argv[1]) : 200;
    QApplication app(argc, argv);
    ZEBCodepage catalogue;
    catalogue.BuildCatalogue();
    QWidget main;
    main.setGeometry(0, 0, 1200, 760);
    main.show();
    TAA_Encode dialog(catalogue, &main);

    const std::u16string russian =
        u"    Мы стояли на берегу, и ветер гнал тяжёлые серые волны к ногам,\n"
        u"а над водой кричали чайки, будто спорили о чём-то давно забытом.\n"
        u"\n";
    const std::u16string latin =
        u"    Déjà vu: the café's crème brûlée was served à la carte, naïvely\n"
        u"priced, and the señor who made it smiled at every coöperative guest.\n"
        u"\n";
    const std::u16string japanese =
        u"    吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。\n"
        u"何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。\n"
        u"\n";
    const Sample samples[] = {
        {1252, "1252", latin},
        {65001, "UTF-8", russian},
        {UnicodeCodePage, "UTF-16LE", russian},
        {932, "932", japanese},
        {65000, "UTF-7", russian},
    };
    std::printf("import preview on %lld MB texts\n", static_cast<long long>(megabytes));
    for (const Sample& sample : samples) {
        TempDir dir;
        const std::string path = dir.File("bench.txt");
        std::string block;
        while (block.size() < (1u << 16))
            block += Encode(sample.lines, sample.codePage);
        WriteText(path, block, megabytes << 20);
        ReadOnce(path);
        Measure(dialog, sample, path);
    }
    return 0;
}
