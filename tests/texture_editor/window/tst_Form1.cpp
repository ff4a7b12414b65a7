#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "../TextureBuilders.h"
#include "support/RecordingSink.h"
#include "texture_editor/window/Form1.h"
#include "texture_editor/window/PreviewBox.h"

namespace {

namespace fs = std::filesystem;
using namespace texture_editor_test;

// The window with its dialogs answered by the test.
class ScriptedForm1 : public texture_editor::Form1
{
public:
    using Form1::dropEvent;
    using Form1::Form1;
    using Form1::openDialog;
    using Form1::saveDialog;
    std::optional<fs::path> sourceAnswer, destinationAnswer;

protected:
    std::optional<fs::path> chooseSource() override { return sourceAnswer; }
    std::optional<fs::path> chooseDestination() override { return destinationAnswer; }
};

// A program folder, a model on it and its window, shown offscreen.
struct Editor
{
    Editor()
    {
        form.show();
        if (!QTest::qWaitForWindowExposed(&form))
            qWarning("the window was not shown");
    }
    template <typename T = QWidget> T* control(const char* name)
    {
        auto* found = form.findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("control %s is missing", name);
        return found;
    }
    void open(const std::string& name, const platform::Bytes& bytes)
    {
        form.sourceAnswer = program.write("in/" + name, bytes);
        QTest::mouseClick(control<QPushButton>("cmdFileBrowse"), Qt::LeftButton);
    }
    void save(const std::string& name)
    {
        form.destinationAnswer = program / name;
        QTest::mouseClick(control<QPushButton>("cmdFolderBrowse"), Qt::LeftButton);
    }
    void click(int box) { QTest::mouseClick(form.picPrevBox(box), Qt::LeftButton, {}, QPoint(5, 5)); }
    // Each box's top is the bottom of the box above it.
    bool stacked() const
    {
        for (int i = 1; i < form.picPrevCount(); ++i)
            if (form.picPrevBox(i)->y() != form.picPrevBox(i - 1)->geometry().bottom() + 1)
                return false;
        return true;
    }
    // The height rule: the last box's top in the window + its height + the margin below the column.
    int heightForColumn() const
    {
        const auto* last = form.picPrevBox(form.picPrevCount() - 1);
        return last->mapTo(&form, QPoint(0, 0)).y() + last->height() + texture_editor::Form1::HEIGHT_BELOW_COLUMN;
    }

    ProgramFolder program;
    test_support::RecordingSink sink{"Pexmo"};
    texture_editor::EditorModel model{sink, program.path()};
    ScriptedForm1 form{model};
};

// The captions the dialog shows, and whether a name is listed under filter i (the globs in its last
// parentheses).
QStringList captions(QFileDialog* dialog)
{
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QStringList shown;
    for (int i = 0; i < types->count(); ++i)
        shown << types->itemText(i);
    return shown;
}
bool listed(QFileDialog* dialog, int filter, const QString& name)
{
    const QString f = dialog->nameFilters().at(filter);
    for (const auto& glob : f.mid(f.lastIndexOf(QLatin1Char('(')) + 1).chopped(1).split(QLatin1Char(' ')))
        if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(glob)).match(name).hasMatch())
            return true;
    return false;
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void hasEveryControlWithItsCaptionAndDefault()
    {
        Editor e;
        QCOMPARE(e.form.windowTitle(), QStringLiteral("Pexmo"));
        for (const auto& [name, caption] :
             std::vector<std::pair<const char*, const char*>>{{"Label1", "Source Tpl/Image:"},
                                                              {"Label2", "Dest Tpl/Image:"},
                                                              {"cmdFileBrowse", "...."},
                                                              {"cmdFolderBrowse", "...."},
                                                              {"opt565", "RGB565"},
                                                              {"opt5a3", "RGB5A3"},
                                                              {"chkTrans", "Use Transparency"},
                                                              {"Frame1", "Image Options"},
                                                              {"Frame2", "Image Info"}}) {
            const char* property = qobject_cast<QGroupBox*>(e.control(name)) ? "title" : "text";
            QCOMPARE(e.control(name)->property(property).toString(), QString::fromLatin1(caption));
        }
        for (const char* name : {"Text1", "Text2", "lblinfo", "File1", "CommonDialog1"})
            e.control(name);
        QVERIFY(e.control<QRadioButton>("opt565")->isChecked() && !e.control<QRadioButton>("opt5a3")->isChecked());
        QVERIFY(!e.control("chkTrans")->property("checked").toBool());
        QCOMPARE(e.form.picPrevCount(), 1); // one empty box, selected
        QVERIFY(e.form.picPrevBox(0)->isSelected());
    }

    void dialogsOfferTheirFiltersInAnyLetterCase()
    {
        Editor e;
        QFileDialog* open = e.form.openDialog();
        QCOMPARE(captions(open), (QStringList{"ImageFiles (*.jpg,*.bmp,*.tga, *.png, *.gif)",
                                              "NeoGeo Banner (banner.bin)", "Nes Save Icon (00000001.app)",
                                              "WTE File (*.wte)", "TPL Files (*.tpl)", "All Files (*.*)"}));
        QVERIFY(listed(open, 0, "Photo.JPG") && listed(open, 1, "BANNER.BIN") && !listed(open, 1, "banner.bin.bak"));
        QVERIFY(listed(open, 2, "00000001.APP") && listed(open, 4, "LZ77_banner.TPL") && listed(open, 5, "no_dot"));
        QFileDialog* save = e.form.saveDialog();
        QCOMPARE(captions(save), (QStringList{"Tpl File (*.tpl)", "Bitmap (*.bmp)", "All Files (*.*)"}));
        QCOMPARE(save->defaultSuffix(), QStringLiteral("tpl"));
        emit save->filterSelected(save->nameFilters()[1]);
        QCOMPARE(save->defaultSuffix(), QStringLiteral("bmp"));
    }

    void fiveImagesStackAndSetTheHeightAndOneImageKeepsIt()
    {
        Editor e;
        e.open("banner.tpl", tplOf(saveSetShapes(4)));
        QCOMPARE(e.form.picPrevCount(), 5);
        QVERIFY(e.stacked());
        QTRY_COMPARE(e.form.height(), e.heightForColumn());
        QCOMPARE(e.control<QLineEdit>("Text1")->text(), QStringLiteral("\\in\\banner.tpl"));
        const int height = e.form.height();
        e.open("one.tpl", tplOf({{48, 48}}));
        QCOMPARE(e.form.picPrevCount(), 1);
        QTest::qWait(50);
        QCOMPARE(e.form.height(), height);
    }

    void pictureAfterClickingBoxTwoReplacesItOnly()
    {
        Editor e;
        e.open("banner.tpl", tplOf(saveSetShapes(4)));
        e.click(2);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(e.form.picPrevBox(i)->isSelected(), i == 2);
        QCOMPARE(e.control<QLabel>("lblinfo")->text(), QStringLiteral("Width: 48 Height: 48"));
        e.open("new.png", pictureFile(solidPicture(30, 20, Qt::green), "PNG"));
        QCOMPARE(e.form.picPrevBox(2)->picture().pixelColor(3, 3), QColor(Qt::green));
        for (int i : {0, 1, 3, 4})
            QCOMPARE(e.form.picPrevBox(i)->picture().pixelColor(3, 3), imageColour(std::size_t(i)));
        QVERIFY(e.stacked());
        QCOMPARE(e.control<QLabel>("lblinfo")->text(), QStringLiteral("Width: 30 Height: 20"));

        // Box 4 goes with a one-image texture; the next picture goes to box 0.
        e.click(4);
        e.open("01.wte", wteOf({48, 48}));
        e.open("new.bmp", pictureFile(solidPicture(16, 8, Qt::blue), "BMP"));
        QCOMPARE(e.form.picPrevBox(0)->innerSize(), QSize(16, 8));
        QVERIFY(e.form.picPrevBox(0)->isSelected());
    }

    void droppedFileOpensAsIfChosen()
    {
        Editor e;
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(e.program.write("b.bin", saveBannerOf(4)).string()))});
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        e.form.dropEvent(&drop);
        QTRY_COMPARE(e.form.picPrevCount(), 5);
        QCOMPARE(e.control<QLineEdit>("Text1")->text(), QStringLiteral("\\b.bin"));
    }

    void tallColumnScrollsWithinTheScreen()
    {
        Editor e;
        e.open("tall.tpl", tplOf(std::vector<Shape>(6, Shape{64, 400})));
        QVERIFY(e.stacked());
        const int available = e.form.screen()->availableGeometry().height();
        QVERIFY(e.heightForColumn() > available);
        QTRY_VERIFY(e.form.frameGeometry().height() <= available);
        QVERIFY(e.control<QScrollArea>("previewArea")->verticalScrollBar()->maximum() > 0);
    }

    void actionsAndClosingWaitWhileAToolRuns()
    {
        Editor e;
        e.program.replaceTool("tpl_viewer", "sleep 1");
        bool enabled = true, visibleAfterClose = false;
        QTimer::singleShot(400, &e.form, [&] {
            enabled = e.control("cmdFileBrowse")->isEnabled() || e.control("cmdFolderBrowse")->isEnabled();
            e.form.close();
            visibleAfterClose = e.form.isVisible();
        });
        e.open("banner.tpl", tplOf({{8, 8}}));
        QVERIFY(!enabled && visibleAfterClose);
        QVERIFY(e.control("cmdFileBrowse")->isEnabled());
        QTRY_VERIFY(!e.form.isVisible());
        QVERIFY(e.model.workFiles().empty());             // emptied on close
        QCOMPARE(e.sink.messages.size(), std::size_t{1}); // the stand-in viewer wrote no pictures
    }

    void saveShowsSavedOnlyWhenTheFileWasWritten()
    {
        Editor e;
        e.open("banner.tpl", tplOf(saveSetShapes(4)));
        e.program.replaceTool("tpl_converter", "exit 1");
        e.save("out.tpl");
        QCOMPARE(e.sink.messages.size(), std::size_t{1});
        QVERIFY(e.sink.messages[0].prompt.find("was not saved: tpl_converter wrote no texture") != std::string::npos);
        QCOMPARE(e.sink.messages[0].icon, platform::MessageIcon::Critical);
        QVERIFY(e.control<QLineEdit>("Text2")->text().isEmpty());
        e.save("out.bmp");
        QCOMPARE(e.sink.messages.back().prompt, std::string("\\out.bmp Saved!"));
        QCOMPARE(e.control<QLineEdit>("Text2")->text(), QStringLiteral("\\out.bmp"));
    }

    // A five-image save banner with one icon replaced; with PEXMO_SCREENSHOTS set, its picture.
    void screenshotOfAnEditedSaveBanner()
    {
        Editor e;
        const fs::path real = test_support::realDataFolder("savebanner");
        e.form.sourceAnswer =
            real.empty() ? e.program.write("banner.bin", saveBannerOf(4)) : real / "disc_52353950_banner_4icons.bin";
        QTest::mouseClick(e.control<QPushButton>("cmdFileBrowse"), Qt::LeftButton);
        QCOMPARE(e.form.picPrevCount(), 5);
        QImage dot(48, 48, QImage::Format_ARGB32);
        dot.fill(Qt::transparent);
        QPainter painter(&dot);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(230, 60, 40));
        painter.setPen(QPen(Qt::white, 3));
        painter.drawEllipse(QRectF(4, 4, 40, 40));
        painter.end();
        e.click(3);
        e.open("dot.png", pictureFile(dot, "PNG"));
        QCOMPARE(e.form.picPrevBox(3)->picture().pixelColor(24, 24), QColor(230, 60, 40));
        if (const QString shots = qEnvironmentVariable("PEXMO_SCREENSHOTS"); !shots.isEmpty()) {
            QTest::qWait(200);
            QVERIFY(e.form.grab().save(shots + QStringLiteral("/pexmo-save-banner.png")));
        }
    }
};

QTEST_MAIN(TestForm1)
#include "tst_Form1.moc"
