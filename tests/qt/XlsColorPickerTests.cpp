// The workbook colour picker, offscreen: its geometry, the swatches it paints, the frame on the
// selection, what presses, double clicks and keys choose, and what the modal run returns.
#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "dialog/qt/IB_OstrelXLSColorEditor.h"
#include "dialog/qt/WindowPicture.h"

namespace ostrel::qt {
namespace {

constexpr int kCell = 22;

QPoint CellCentre(int row, int column) { return {kCell * column + kCell / 2, kCell * row + kCell / 2}; }
QPoint CellOrigin(int value) { return {kCell * (value % 8), kCell * (value / 8)}; }

QList<TOstrelXLSColorEditorF*> OpenPickers() {
    QList<TOstrelXLSColorEditorF*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* picker = qobject_cast<TOstrelXLSColorEditorF*>(w)) found << picker;
    return found;
}

class XlsColorPickerTest : public ::testing::Test {
protected:
    void TearDown() override { SetXLSColorChooser(nullptr); }

    // Runs ChooseXLSColor and, once its window is up, lets `act` use it as a user would. A
    // window that `act` leaves open is cancelled, so that a faulty picker fails the test
    // instead of hanging it.
    static TxlsColor Choose(TxlsColor start, const std::function<void(TOstrelXLSColorEditorF&)>& act) {
        bool acted = false;
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<TOstrelXLSColorEditorF*>(QApplication::activeModalWidget());
            if (!window) return;
            acted = true;
            act(*window);
            if (window->isVisible()) {
                ADD_FAILURE() << "the picker stayed open";
                window->reject();
            }
        });
        const TxlsColor chosen = ChooseXLSColor(start);
        EXPECT_TRUE(acted) << "no modal picker came up";
        // The window is gone whichever way it closed.
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(OpenPickers().isEmpty());
        return chosen;
    }

    // A shown window (not on a screen), for what a user sees before closing it.
    static std::unique_ptr<TOstrelXLSColorEditorF> Open(TxlsColor selected) {
        auto window = std::make_unique<TOstrelXLSColorEditorF>();
        window->SetSelected(selected);
        window->setAttribute(Qt::WA_DontShowOnScreen, true);
        window->show();
        QApplication::processEvents();
        return window;
    }

    // Sent directly rather than through QTest, which reads the point (0, 0) as "the centre".
    static void Press(TOstrelXLSColorEditorF& w, QPoint at) {
        QWidget* grid = w.Colors();
        const QPointF global = grid->mapToGlobal(QPointF(at));
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(grid, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton, Qt::NoButton, {});
        QApplication::sendEvent(grid, &release);
    }
    static QRgb Rgb(const QPalette& palette, QPalette::ColorRole role) { return palette.color(role).rgb(); }
};

TEST_F(XlsColorPickerTest, WindowLayout) {
    auto w = Open(clrBlack);
    EXPECT_EQ(w->windowTitle(), "Choose a color");
    EXPECT_EQ(w->size(), QSize(177, 146));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_EQ(w->font().pointSize(), 8);
    EXPECT_EQ(w->Colors()->geometry(), QRect(0, 0, 177, 110));
    EXPECT_EQ(w->OkButton()->geometry(), QRect(16, 115, 70, 25));
    EXPECT_EQ(w->CancelButton()->geometry(), QRect(91, 115, 70, 25));
    EXPECT_EQ(w->OkButton()->text(), "OK");
    EXPECT_EQ(w->CancelButton()->text(), "Cancel");
    EXPECT_TRUE(w->OkButton()->isDefault());
    EXPECT_FALSE(w->CancelButton()->isDefault());
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((w->geometry().center() - centre).manhattanLength(), 2);
}

TEST_F(XlsColorPickerTest, WhiteIsFramedInTheLastCellAndCancelKeepsIt) {
    const TxlsColor chosen = Choose(clrWhite, [](TOstrelXLSColorEditorF& w) {
        EXPECT_EQ(w.Selected(), clrWhite);
        const QImage grid = w.Colors()->grab().toImage();
        const QPoint cell = CellOrigin(39);  // fifth row, eighth column
        EXPECT_EQ(cell, QPoint(154, 88));
        const QPalette palette = w.Colors()->palette();
        EXPECT_EQ(grid.pixel(cell + QPoint(0, 10)), Rgb(palette, QPalette::Shadow));
        EXPECT_EQ(grid.pixel(cell + QPoint(10, 0)), Rgb(palette, QPalette::Shadow));
        EXPECT_EQ(grid.pixel(cell + QPoint(21, 10)), Rgb(palette, QPalette::Light));
        EXPECT_EQ(grid.pixel(cell + QPoint(10, 21)), Rgb(palette, QPalette::Light));
        // No other cell is framed.
        EXPECT_EQ(grid.pixel(CellOrigin(38) + QPoint(0, 10)), Rgb(palette, QPalette::Window));
        Press(w, CellCentre(0, 0));
        Press(w, CellCentre(3, 5));
        EXPECT_EQ(w.Selected(), 29);
        QTest::mouseClick(w.CancelButton(), Qt::LeftButton);
    });
    EXPECT_EQ(chosen, clrWhite);
}

TEST_F(XlsColorPickerTest, DoubleClickClosesWithItsColour) {
    const TxlsColor chosen = Choose(clrRed, [](TOstrelXLSColorEditorF& w) {
        QTest::mouseDClick(w.Colors(), Qt::LeftButton, {}, CellCentre(1, 2));
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(chosen, clrDarkYellow);
    EXPECT_EQ(chosen, 10);
}

TEST_F(XlsColorPickerTest, PressThenOkReturnsThePressedColour) {
    const TxlsColor chosen = Choose(clrRed, [](TOstrelXLSColorEditorF& w) {
        Press(w, CellCentre(0, 0));
        EXPECT_TRUE(w.isVisible());  // a single press only moves the selection
        QTest::mouseClick(w.OkButton(), Qt::LeftButton);
    });
    EXPECT_EQ(chosen, clrBlack);
}

TEST_F(XlsColorPickerTest, EveryPixelOfACellSelectsItsValue) {
    auto w = Open(clrBlack);
    for (int value : {0, 7, 13, 26, 39}) {
        const QPoint origin = CellOrigin(value);
        for (QPoint offset : {QPoint(0, 0), QPoint(21, 0), QPoint(0, 21), QPoint(21, 21), QPoint(3, 17)}) {
            Press(*w, origin + offset);
            EXPECT_EQ(w->Selected(), value) << "at " << offset.x() << "," << offset.y();
        }
    }
}

TEST_F(XlsColorPickerTest, LastPixelColumnSelectsTheNextRowsFirstValue) {
    auto w = Open(clrBlack);
    Press(*w, QPoint(176, 5));
    EXPECT_EQ(w->Selected(), clrDarkRed);  // value 8
    Press(*w, QPoint(176, 2 * kCell + 21));
    EXPECT_EQ(w->Selected(), clrPink);  // value 24
    Press(*w, QPoint(175, 5));
    EXPECT_EQ(w->Selected(), clrGray80Percent);  // value 7, the last real column
}

TEST_F(XlsColorPickerTest, PastTheLastValueSelectsWhite) {
    auto w = Open(clrRed);
    Press(*w, QPoint(176, 4 * kCell + 10));  // would be value 40
    EXPECT_EQ(w->Selected(), clrWhite);
    Press(*w, QPoint(176, 109));
    EXPECT_EQ(w->Selected(), clrWhite);
}

TEST_F(XlsColorPickerTest, ArrowsMoveWithinTheGridAndEnterConfirms) {
    const TxlsColor chosen = Choose(clrTeal, [](TOstrelXLSColorEditorF& w) {
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        EXPECT_EQ(QApplication::focusWidget(), w.Colors());
        QWidget* grid = w.Colors();
        QTest::keyClick(grid, Qt::Key_Up);
        EXPECT_EQ(w.Selected(), 4);
        QTest::keyClick(grid, Qt::Key_Up);
        EXPECT_EQ(w.Selected(), 4);  // the top row stops it
        QTest::keyClick(grid, Qt::Key_Left);
        EXPECT_EQ(w.Selected(), 3);
        for (int i = 0; i < 6; ++i) QTest::keyClick(grid, Qt::Key_Left);
        EXPECT_EQ(w.Selected(), 0);  // the first column stops it, no wrap to the row above
        for (int i = 0; i < 9; ++i) QTest::keyClick(grid, Qt::Key_Down);
        EXPECT_EQ(w.Selected(), 32);
        for (int i = 0; i < 9; ++i) QTest::keyClick(grid, Qt::Key_Right);
        EXPECT_EQ(w.Selected(), 39);
        QTest::keyClick(grid, Qt::Key_Left);
        EXPECT_EQ(w.Selected(), 38);
        QTest::keyClick(grid, Qt::Key_Return);
    });
    EXPECT_EQ(chosen, clrLavender);
}

TEST_F(XlsColorPickerTest, EscapeCancels) {
    const TxlsColor chosen = Choose(clrGold, [](TOstrelXLSColorEditorF& w) {
        QTest::keyClick(w.Colors(), Qt::Key_Down);
        EXPECT_EQ(w.Selected(), clrTan);
        QTest::keyClick(w.Colors(), Qt::Key_Escape);
    });
    EXPECT_EQ(chosen, clrGold);
}

TEST_F(XlsColorPickerTest, SwatchesShowThePaletteInOrderOutlinedInBlack) {
    auto w = Open(clrWhite);
    const QImage grid = w->Colors()->grab().toImage();
    ASSERT_EQ(grid.size(), QSize(177, 110));
    const QRgb face = Rgb(w->Colors()->palette(), QPalette::Window);
    for (int value = 0; value < 40; ++value) {
        SCOPED_TRACE(value);
        const TColor screen = XlsScreenColor(static_cast<TxlsColor>(value));
        const QRgb fill = qRgb(screen & 0xFF, (screen >> 8) & 0xFF, (screen >> 16) & 0xFF);
        const QPoint swatch = CellOrigin(value) + QPoint(3, 3);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const bool outline = x == 0 || y == 0 || x == 15 || y == 15;
                const QRgb pixel = grid.pixel(swatch + QPoint(x, y));
                if (pixel != (outline ? qRgb(0, 0, 0) : fill)) {
                    ADD_FAILURE() << "swatch pixel " << x << "," << y << " is " << std::hex << pixel;
                    break;
                }
            }
        // Just outside the swatch is the window face (the selected cell is the last one).
        if (value != 39) {
            EXPECT_EQ(grid.pixel(swatch + QPoint(-1, -1)), face);
            EXPECT_EQ(grid.pixel(swatch + QPoint(16, 16)), face);
        }
    }
    // A few screen colours told apart by every channel, so that red and blue cannot swap.
    EXPECT_EQ(grid.pixelColor(CellOrigin(clrBrown) + QPoint(10, 10)), QColor(0x99, 0x33, 0x00));
    EXPECT_EQ(grid.pixelColor(CellOrigin(clrOrange) + QPoint(10, 10)), QColor(0xFF, 0x66, 0x00));
    EXPECT_EQ(grid.pixelColor(CellOrigin(clrSeaGreen) + QPoint(10, 10)), QColor(0x33, 0x99, 0x66));
    EXPECT_EQ(grid.pixelColor(CellOrigin(clrLavender) + QPoint(10, 10)), QColor(0xCC, 0x99, 0xFF));
    // The paint area's last pixel column is bare face.
    EXPECT_EQ(grid.pixel(176, 50), face);
}

TEST_F(XlsColorPickerTest, FrameFollowsTheSelection) {
    auto w = Open(clrBlack);
    Press(*w, CellCentre(2, 4));
    const QImage grid = w->Colors()->grab().toImage();
    const QPalette palette = w->Colors()->palette();
    EXPECT_EQ(grid.pixel(CellOrigin(20) + QPoint(0, 5)), Rgb(palette, QPalette::Shadow));
    EXPECT_EQ(grid.pixel(CellOrigin(20) + QPoint(21, 5)), Rgb(palette, QPalette::Light));
    // The previous selection's frame is erased.
    EXPECT_EQ(grid.pixel(CellOrigin(0) + QPoint(0, 5)), Rgb(palette, QPalette::Window));
    EXPECT_EQ(grid.pixel(CellOrigin(0) + QPoint(21, 5)), Rgb(palette, QPalette::Window));
}

TEST_F(XlsColorPickerTest, ReplacedChooserAnswersInsteadOfTheWindow) {
    QWidget parent;
    TxlsColor asked = clrBlack;
    QWidget* askedParent = nullptr;
    SetXLSColorChooser([&](TxlsColor color, QWidget* p) {
        asked = color;
        askedParent = p;
        return clrPlum;
    });
    EXPECT_EQ(ChooseXLSColor(clrAqua, &parent), clrPlum);
    EXPECT_EQ(asked, clrAqua);
    EXPECT_EQ(askedParent, &parent);
    SetXLSColorChooser(nullptr);
    EXPECT_EQ(Choose(clrAqua, [](TOstrelXLSColorEditorF& w) { w.reject(); }), clrAqua);
}

// The picture against a reviewed reference. Texts are drawn with whatever fonts the machine
// has, so the title bar's caption and the inside of each button (its label, 4 pixels in from
// its frame) are left out of the comparison; everything else, swatches, frame and button
// frames, must match within a small tolerance for antialiasing. Set OSTREL_UPDATE_REFERENCE
// to write the picture as the new reference (then look at it before committing it).
TEST_F(XlsColorPickerTest, PictureMatchesTheReference) {
    const QString path = QStringLiteral(OSTREL_TEST_DATA "/reference/xls-color-picker.png");
    const QImage picture = RenderXLSColorPicker(clrSeaGreen).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(picture.devicePixelRatio(), 1.0);
    if (qEnvironmentVariableIsSet("OSTREL_UPDATE_REFERENCE")) {
        ASSERT_TRUE(picture.save(path));
        GTEST_SKIP() << "wrote " << path.toStdString();
    }
    const QImage reference = QImage(path).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(reference.isNull()) << path.toStdString();
    ASSERT_EQ(picture.size(), reference.size());
    ASSERT_EQ(picture.size(), QSize(177, 146 + kTitleBarHeight));

    const QRect masked[] = {
        QRect(0, 0, picture.width(), kTitleBarHeight),
        QRect(16, 115, 70, 25).translated(0, kTitleBarHeight).adjusted(4, 4, -4, -4),
        QRect(91, 115, 70, 25).translated(0, kTitleBarHeight).adjusted(4, 4, -4, -4),
    };
    int compared = 0, different = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            if (std::any_of(std::begin(masked), std::end(masked), [&](const QRect& r) { return r.contains(x, y); }))
                continue;
            ++compared;
            const QRgb a = picture.pixel(x, y), b = reference.pixel(x, y);
            const int diff = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                       std::abs(qBlue(a) - qBlue(b))});
            if (diff > 48) ++different;
        }
    const QString actual = QDir::temp().filePath("xls-color-picker-actual.png");
    EXPECT_LE(different, compared / 50) << "differing pixels: " << different << " of " << compared
                                        << "; the picture is in " << (picture.save(actual), actual.toStdString());
}

}  // namespace
}  // namespace ostrel::qt
