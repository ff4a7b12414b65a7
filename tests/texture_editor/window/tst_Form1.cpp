#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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
#include "texture_editor/EditorModel.h"
#include "texture_editor/window/Form1.h"
#include "texture_editor/window/PreviewBox.h"

namespace {

namespace fs = std::filesystem;
using namespace texture_editor_test;
using texture_editor::PreviewBox;

// The window with its dialogs answered by the test.
class ScriptedForm1 : public texture_editor::Form1
{
public:
    using Form1::dropEvent;
    using Form1::Form1;
    using Form1::openDialog;
    using Form1::saveDialog;
    std::optional<fs::path> sourceAnswer;
    std::optional<fs::path> destinationAnswer;

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
            qWarning("window not exposed");
    }

    fs::path input(const std::string& name, const platform::Bytes& bytes) { return program.write("in/" + name, bytes); }

    void open(const fs::path& path)
    {
        form.sourceAnswer = path;
        QTest::mouseClick(control<QPushButton>("cmdFileBrowse"), Qt::LeftButton);
    }

    template <typename T> T* control(const char* name)
    {
        auto* found = form.findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("control %s is missing", name);
        return found;
    }

    // Each box's top is the bottom of the box above it.
    bool stacked() const
    {
        for (int i = 1; i < form.picPrevCount(); ++i)
            if (form.picPrevBox(i)->y() != form.picPrevBox(i - 1)->y() + form.picPrevBox(i - 1)->height())
                return false;
        return true;
    }

    // The height rule: the last box's top (in the window) + its height + the margin below the column.
    int heightForColumn() const
    {
        const PreviewBox* last = form.picPrevBox(form.picPrevCount() - 1);
        return last->mapTo(&form, QPoint(0, 0)).y() + last->height() + texture_editor::Form1::HEIGHT_BELOW_COLUMN;
    }

    QString info() { return control<QLabel>("lblinfo")->text(); }

    ProgramFolder program;
    test_support::RecordingSink sink{"Pexmo"};
    texture_editor::EditorModel model{sink, program.path()};
    ScriptedForm1 form{model};
};

QStringList filterCaptions(QFileDialog* dialog)
{
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QStringList captions;
    for (int i = 0; types && i < types->count(); ++i)
        captions << types->itemText(i);
    return captions;
}

// Whether a name is listed under a dialog filter: the globs in its last parentheses.
bool listedUnder(const QString& filter, const QString& name)
{
    const QStringList globs = filter.mid(filter.lastIndexOf(QLatin1Char('(')) + 1).chopped(1).split(QLatin1Char(' '));
    for (const auto& glob : globs)
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
        Editor editor;
        QCOMPARE(editor.form.windowTitle(), QStringLiteral("Pexmo"));
        const std::vector<std::pair<const char*, const char*>> captions = {
            {"Label1", "Source Tpl/Image:"}, {"Label2", "Dest Tpl/Image:"}, {"cmdFileBrowse", "...."},
            {"cmdFolderBrowse", "...."},     {"opt565", "RGB565"},          {"opt5a3", "RGB5A3"},
            {"chkTrans", "Use Transparency"}};
        for (const auto& [name, caption] : captions)
            QCOMPARE(editor.control<QWidget>(name)->property("text").toString(), QString::fromLatin1(caption));
        QCOMPARE(editor.control<QGroupBox>("Frame1")->title(), QStringLiteral("Image Options"));
        QCOMPARE(editor.control<QGroupBox>("Frame2")->title(), QStringLiteral("Image Info"));
        for (const char* name : {"Text1", "Text2", "lblinfo", "File1", "CommonDialog1"})
            editor.control<QWidget>(name);
        QVERIFY(editor.control<QRadioButton>("opt565")->isChecked());
        QVERIFY(!editor.control<QRadioButton>("opt5a3")->isChecked());
        QVERIFY(!editor.control<QCheckBox>("chkTrans")->isChecked());
        // One empty box, selected.
        QCOMPARE(editor.form.picPrevCount(), 1);
        QVERIFY(editor.form.picPrevBox(0)->isSelected());
        QCOMPARE(editor.form.picPrevBox(0)->objectName(), QStringLiteral("picPrev"));
    }

    void dialogsOfferTheirFiltersInAnyLetterCase()
    {
        Editor editor;
        QFileDialog* open = editor.form.openDialog();
        QCOMPARE(filterCaptions(open), (QStringList{"ImageFiles (*.jpg,*.bmp,*.tga, *.png, *.gif)",
                                                    "NeoGeo Banner (banner.bin)", "Nes Save Icon (00000001.app)",
                                                    "WTE File (*.wte)", "TPL Files (*.tpl)", "All Files (*.*)"}));
        const QStringList filters = open->nameFilters();
        QVERIFY(listedUnder(filters[0], "Photo.JPG") && listedUnder(filters[0], "icon.tga"));
        QVERIFY(listedUnder(filters[1], "BANNER.BIN") && !listedUnder(filters[1], "banner.bin.bak"));
        QVERIFY(listedUnder(filters[2], "00000001.APP"));
        QVERIFY(listedUnder(filters[4], "LZ77_banner.TPL"));
        QVERIFY(listedUnder(filters[5], "no_extension"));
        QCOMPARE(open->acceptMode(), QFileDialog::AcceptOpen);

        QFileDialog* save = editor.form.saveDialog();
        QCOMPARE(filterCaptions(save), (QStringList{"Tpl File (*.tpl)", "Bitmap (*.bmp)", "All Files (*.*)"}));
        QCOMPARE(save->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(save->defaultSuffix(), QStringLiteral("tpl"));
        save->selectNameFilter(save->nameFilters()[1]);
        emit save->filterSelected(save->nameFilters()[1]);
        QCOMPARE(save->defaultSuffix(), QStringLiteral("bmp"));
    }

    void fiveImagesStackAndSetTheHeightAndOneImageKeepsIt()
    {
        Editor editor;
        editor.open(editor.input("banner.tpl", tplOf(saveSetShapes(4))));
        QCOMPARE(editor.form.picPrevCount(), 5);
        QVERIFY(editor.stacked());
        QTRY_COMPARE(editor.form.height(), editor.heightForColumn());
        QCOMPARE(editor.control<QLineEdit>("Text1")->text(), QStringLiteral("\\in\\banner.tpl"));
        QVERIFY(editor.control<QListWidget>("File1")->count() > 0); // the viewer's pictures

        const int height = editor.form.height();
        editor.open(editor.input("one.tpl", tplOf({{48, 48}})));
        QCOMPARE(editor.form.picPrevCount(), 1);
        QCOMPARE(editor.form.picPrevBox(0)->innerSize(), QSize(48, 48));
        QTest::qWait(50);
        QCOMPARE(editor.form.height(), height);
        QVERIFY(editor.sink.messages.empty());
    }

    void pictureAfterClickingBoxTwoReplacesItOnly()
    {
        Editor editor;
        editor.open(editor.input("banner.tpl", tplOf(saveSetShapes(4))));
        QTest::mouseClick(editor.form.picPrevBox(2), Qt::LeftButton, {}, QPoint(5, 5));
        for (int i = 0; i < 5; ++i)
            QCOMPARE(editor.form.picPrevBox(i)->isSelected(), i == 2);
        QCOMPARE(editor.info(), QStringLiteral("Width: 48 Height: 48"));

        editor.open(editor.input("new.png", pictureFile(solidPicture(30, 20, Qt::green), "PNG")));
        QCOMPARE(editor.form.picPrevCount(), 5);
        QCOMPARE(editor.form.picPrevBox(2)->innerSize(), QSize(30, 20));
        QCOMPARE(editor.form.picPrevBox(2)->picture().pixelColor(3, 3), QColor(Qt::green));
        for (int i : {0, 1, 3, 4})
            QCOMPARE(editor.form.picPrevBox(i)->picture().pixelColor(3, 3), imageColour(static_cast<std::size_t>(i)));
        QVERIFY(editor.stacked());
        QCOMPARE(editor.info(), QStringLiteral("Width: 30 Height: 20"));

        // After a shorter texture the next picture goes to box 0.
        QTest::mouseClick(editor.form.picPrevBox(4), Qt::LeftButton, {}, QPoint(5, 5));
        editor.open(editor.input("01.wte", wteOf({48, 48})));
        editor.open(editor.input("new.bmp", pictureFile(solidPicture(16, 8, Qt::blue), "BMP")));
        QCOMPARE(editor.form.picPrevCount(), 1);
        QCOMPARE(editor.form.picPrevBox(0)->innerSize(), QSize(16, 8));
        QVERIFY(editor.form.picPrevBox(0)->isSelected());
    }

    void droppedFileOpensAsIfChosen()
    {
        Editor editor;
        const fs::path banner = editor.input("banner.bin", saveBannerOf(4));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(banner.string()))});
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        editor.form.dropEvent(&drop);
        QTRY_COMPARE(editor.form.picPrevCount(), 5);
        QCOMPARE(editor.control<QLineEdit>("Text1")->text(), QStringLiteral("\\in\\banner.bin"));
    }

    void tallColumnScrollsWithinTheScreen()
    {
        Editor editor;
        editor.open(editor.input("banner.bin", saveBannerOf(8)));
        QCOMPARE(editor.form.picPrevCount(), 9);
        QVERIFY(editor.stacked());
        // Taller than any screen: six images of 64x400.
        editor.open(editor.input("tall.tpl", tplOf(std::vector<Shape>(6, Shape{64, 400}))));
        QCOMPARE(editor.form.picPrevCount(), 6);
        const int available = editor.form.screen()->availableGeometry().height();
        QVERIFY(editor.heightForColumn() > available);
        QTRY_VERIFY(editor.form.frameGeometry().height() <= available);
        QTRY_VERIFY(editor.control<QScrollArea>("previewArea")->verticalScrollBar()->maximum() > 0);
    }

    void actionsWaitWhileAToolRuns()
    {
        Editor editor;
        editor.program.replaceTool("tpl_viewer", "sleep 1");
        auto* open = editor.control<QPushButton>("cmdFileBrowse");
        auto* save = editor.control<QPushButton>("cmdFolderBrowse");
        bool openEnabled = true, saveEnabled = true, visibleAfterClose = false;
        QTimer::singleShot(400, &editor.form, [&] {
            openEnabled = open->isEnabled();
            saveEnabled = save->isEnabled();
            editor.form.close();
            visibleAfterClose = editor.form.isVisible();
        });
        editor.open(editor.input("banner.tpl", tplOf({{8, 8}})));
        QVERIFY(!openEnabled && !saveEnabled);
        QVERIFY(visibleAfterClose); // the close waits for the tool
        QVERIFY(open->isEnabled() && save->isEnabled());
        QTRY_VERIFY(!editor.form.isVisible());
        QCOMPARE(editor.model.workFiles(), std::vector<std::string>{}); // emptied on close
        // The stand-in viewer wrote no pictures.
        QCOMPARE(editor.sink.messages.size(), std::size_t{1});
        QVERIFY(editor.sink.messages[0].prompt.find("could not decode") != std::string::npos);
    }

    void failedConverterIsNotReportedSaved()
    {
        Editor editor;
        editor.open(editor.input("banner.tpl", tplOf(saveSetShapes(4))));
        const fs::path good = editor.program.path() / "tools";
        fs::create_directories(good);
        fs::copy_file(editor.program / "tpl_converter", good / "tpl_converter");
        editor.program.replaceTool("tpl_converter", "exit 1");
        editor.form.destinationAnswer = editor.program / "out.tpl";
        QTest::mouseClick(editor.control<QPushButton>("cmdFolderBrowse"), Qt::LeftButton);
        QCOMPARE(editor.sink.messages.size(), std::size_t{1});
        const auto& failed = editor.sink.messages[0];
        QVERIFY(failed.prompt.find("was not saved: tpl_converter wrote no texture") != std::string::npos);
        QVERIFY(failed.prompt.find(" Saved!") == std::string::npos);
        QCOMPARE(failed.icon, platform::MessageIcon::Critical);
        QVERIFY(!fs::exists(editor.program / "out.tpl"));
        QCOMPARE(editor.control<QLineEdit>("Text2")->text(), QString());

        fs::remove(editor.program / "tpl_converter");
        fs::copy_file(good / "tpl_converter", editor.program / "tpl_converter");
        editor.control<QRadioButton>("opt5a3")->setChecked(true);
        QTest::mouseClick(editor.control<QPushButton>("cmdFolderBrowse"), Qt::LeftButton);
        QCOMPARE(editor.sink.messages.size(), std::size_t{2});
        QCOMPARE(editor.sink.messages[1].prompt, std::string("\\out.tpl Saved!"));
        QCOMPARE(editor.control<QLineEdit>("Text2")->text(), QStringLiteral("\\out.tpl"));
        QVERIFY(fs::exists(editor.program / "out.tpl"));
    }

    // A five-image save banner with one image replaced; with PEXMO_SCREENSHOTS set, its picture.
    void screenshotOfAnEditedSaveBanner()
    {
        Editor editor;
        const fs::path real = test_support::realDataFolder("savebanner");
        const fs::path banner =
            real.empty() ? editor.input("banner.bin", saveBannerOf(4)) : real / "disc_52353950_banner_4icons.bin";
        editor.open(banner);
        QCOMPARE(editor.form.picPrevCount(), 5);

        QImage picture(48, 48, QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(230, 60, 40));
        painter.setPen(QPen(Qt::white, 3));
        painter.drawEllipse(QRectF(4, 4, 40, 40));
        painter.end();
        QTest::mouseClick(editor.form.picPrevBox(3), Qt::LeftButton, {}, QPoint(5, 5));
        editor.open(editor.input("dot.png", pictureFile(picture, "PNG")));
        QCOMPARE(editor.form.picPrevBox(3)->picture().pixelColor(24, 24), QColor(230, 60, 40));

        if (const QString shots = qEnvironmentVariable("PEXMO_SCREENSHOTS"); !shots.isEmpty()) {
            QTest::qWait(200);
            QVERIFY(editor.form.grab().save(shots + QStringLiteral("/pexmo-save-banner.png")));
        }
    }
};

QTEST_MAIN(TestForm1)
#include "tst_Form1.moc"
