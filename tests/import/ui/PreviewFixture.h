#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "import/ZEBCodepage.h"
#include "import/ui/TAA_Encode.h"
#include "import/ui/TZEBEncode.h"
#include "storage/ZEBFile.h"
#include "support/TempDir.h"

namespace zeb::test {

inline const ZEBCodepage& Catalogue()
{
    static const ZEBCodepage catalogue = [] {
        ZEBCodepage c;
        c.BuildCatalogue();
        return c;
    }();
    return catalogue;
}

// A main window and the preview dialog over it, shown on sources the tests write.
class PreviewTest : public ::testing::Test {
protected:
    PreviewTest() : dialog(Catalogue(), &main)
    {
        main.setGeometry(40, 30, 700, 500);
        main.show();
    }

    ZEBFile& Source(const std::string& bytes, const std::string& name = "s.txt")
    {
        WriteBytes(dir.File(name), std::vector<uint8_t>(bytes.begin(), bytes.end()));
        files.emplace_back(std::make_unique<ZEBFile>());
        files.back()->Open(dir.File(name), FileAccess::Read, 20, 3);
        return *files.back();
    }

    // Shows source, runs whileShown once the dialog is up, then leaves it with finish (a click
    // on "Do Not Import" when none is given or it left the dialog open).
    std::optional<int32_t> Show(ZEBFile& source, int32_t codePage,
                                const std::function<void()>& whileShown,
                                const std::function<void()>& finish = {})
    {
        QTimer::singleShot(0, &dialog, [&] {
            whileShown();
            if (finish)
                finish();
            if (dialog.isVisible())
                QTest::mouseClick(Button("doNotImport"), Qt::LeftButton);
        });
        return dialog.Show(source, u"Filename: s.txt        File Size: 1", codePage);
    }

    TZEBEncode* Preview() { return dialog.findChild<TZEBEncode*>("preview"); }
    QScrollBar* Bar() { return dialog.findChild<QScrollBar*>("scrollBar"); }
    QComboBox* List() { return dialog.findChild<QComboBox*>("codePages"); }
    QPushButton* Button(const char* name) { return dialog.findChild<QPushButton*>(name); }

    // What the preview shows now.
    QImage Seen()
    {
        QCoreApplication::processEvents();
        return Preview()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Whether band row (one line height, from the top of the view) holds any text.
    bool HasInk(const QImage& image, int row)
    {
        const int h = dialog.LineHeight();
        for (int y = row * h; y < std::min(image.height(), (row + 1) * h); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != Background)
                    return true;
        return false;
    }

    // The rightmost column holding text, -1 for none.
    static int RightmostInk(const QImage& image)
    {
        for (int x = image.width() - 1; x >= 0; --x)
            for (int y = 0; y < image.height(); ++y)
                if (image.pixel(x, y) != Background)
                    return x;
        return -1;
    }

    static constexpr QRgb Background = 0xFFD1D3C5;

    TempDir dir;
    std::vector<std::unique_ptr<ZEBFile>> files;
    QWidget main;
    TAA_Encode dialog;
};

}  // namespace zeb::test
