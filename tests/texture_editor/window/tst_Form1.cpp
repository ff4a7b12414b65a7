#include <QComboBox>
#include <QDragEnterEvent>
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
#include "platform/QtText.h"
#include "support/RecordingSink.h"
#include "support/WindowActions.h"
#include "texture_editor/window/Form1.h"
#include "texture_editor/window/PreviewBox.h"

namespace {

namespace fs = std::filesystem;
using namespace texture_editor_test;

// The window with its dialogs and its question answered by the test.
class ScriptedForm1 : public texture_editor::Form1
{
public:
    using Form1::Form1;
    using Form1::openDialog;
    using Form1::saveDialog;
    std::optional<fs::path> sourceAnswer, destinationAnswer;
    std::vector<fs::path> destinationStarts; // where each save dialog started
    platform::SaveChoice saveAnswer = platform::SaveChoice::Cancel;
    QStringList saveAsked; // the names each question named

protected:
    std::optional<fs::path> chooseSource() override { return sourceAnswer; }
    std::optional<fs::path> chooseDestination(const fs::path& start) override
    {
        destinationStarts.push_back(start);
        return destinationAnswer;
    }
    platform::SaveChoice askToSave(const QString& name) override
    {
        saveAsked << name;
        return saveAnswer;
    }
};

// With PEXMO_SCREENSHOTS set, saves a picture of the widget there ("@2x" at 200 % scaling).
void screenshot(QWidget* widget, const QString& name)
{
    const QPixmap picture = widget->grab();
    if (const QString shots = qEnvironmentVariable("PEXMO_SCREENSHOTS"); !shots.isEmpty())
        QVERIFY(picture.save(shots + "/" + name + (picture.devicePixelRatio() > 1 ? "@2x.png" : ".png")));
}

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
        e.form.saveAnswer = platform::SaveChoice::Discard; // the replaced box 2 goes with the column
        e.open("01.wte", wteOf({48, 48}));
        e.open("new.bmp", pictureFile(solidPicture(16, 8, Qt::blue), "BMP"));
        QCOMPARE(e.form.picPrevBox(0)->innerSize(), QSize(16, 8));
        QVERIFY(e.form.picPrevBox(0)->isSelected());
    }

    // A file dropped onto the window, a preview or the source field opens as if chosen; a folder
    // dropped onto the destination field starts the save dialog there.
    void droppedFileOpensOrSavesAsItsFieldsButton()
    {
        for (const char* target : {"", "previewArea", "Text1"}) {
            Editor e;
            test_support::dropPath(*target ? e.control(target) : &e.form, e.program.write("b.bin", saveBannerOf(4)));
            QTRY_COMPARE(e.form.picPrevCount(), 5);
            QCOMPARE(e.control<QLineEdit>("Text1")->text(), QStringLiteral("\\b.bin"));
        }
        Editor e;
        e.open("one.tpl", tplOf({{8, 8}}));
        e.form.destinationAnswer = e.program / "out" / "saved.bmp";
        fs::create_directories(e.program / "out");
        test_support::dropPath(e.control("Text2"), e.program / "out");
        QTRY_COMPARE(e.control<QLineEdit>("Text2")->text(), QStringLiteral("\\out\\saved.bmp"));
        QCOMPARE(e.form.destinationStarts, std::vector<fs::path>{e.program / "out"});
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
        bool enabled = true, busy = false, visibleAfterClose = false;
        QTimer::singleShot(400, &e.form, [&] {
            enabled = e.control("cmdFileBrowse")->isEnabled() || e.control("cmdFolderBrowse")->isEnabled() ||
                      e.control("opt5a3")->isEnabled();
            const QCursor* cursor = QApplication::overrideCursor();
            busy = cursor && cursor->shape() == Qt::BusyCursor &&
                   e.control("status")->findChild<QLabel*>()->text() == QStringLiteral("Opening banner.tpl...");
            // A file dropped meanwhile is not opened.
            test_support::dropPath(&e.form, e.program.write("late.wte", wteOf({8, 8})));
            e.form.close();
            visibleAfterClose = e.form.isVisible();
        });
        // Ctrl+O reaches the open button.
        e.form.sourceAnswer = e.program.write("in/banner.tpl", tplOf({{8, 8}}));
        QTest::keyClick(&e.form, Qt::Key_O, Qt::ControlModifier);
        QTRY_VERIFY(visibleAfterClose);
        QVERIFY(!enabled && busy);
        QVERIFY(e.control("cmdFileBrowse")->isEnabled());
        QTRY_VERIFY(!e.form.isVisible());
        QVERIFY(e.model.workFiles().empty());             // emptied on close
        QCOMPARE(e.sink.messages.size(), std::size_t{1}); // the stand-in viewer wrote no pictures
        QCOMPARE(e.control<QLineEdit>("Text1")->text(), QString());
    }

    // Closing, or opening another texture, asks first only while a picture opened into a box has not
    // been saved; Cancel (or a save dialog cancelled) keeps everything, Save saves first.
    void unsavedPicturesAreAskedAboutBeforeTheyAreLost()
    {
        Editor e;
        e.open("banner.tpl", tplOf(saveSetShapes(2)));
        e.form.close(); // nothing replaced: no question
        QVERIFY(e.form.saveAsked.isEmpty() && !e.form.isVisible());
        e.form.show();
        e.open("dot.png", pictureFile(solidPicture(48, 48, Qt::red), "PNG"));
        e.form.close();
        e.open("other.tpl", tplOf({{8, 8}}));
        QCOMPARE(e.form.saveAsked, (QStringList{"banner.tpl", "banner.tpl"})); // both cancelled
        QVERIFY(e.form.isVisible());
        QCOMPARE(e.form.picPrevCount(), 3);
        e.form.saveAnswer = platform::SaveChoice::Save; // ... but the save dialog is cancelled
        e.form.close();
        QVERIFY(e.form.isVisible());
        e.form.destinationAnswer = e.program / "edited.tpl";
        e.open("other.tpl", tplOf({{8, 8}}));
        QVERIFY(fs::exists(e.program / "edited.tpl"));
        QCOMPARE(e.form.picPrevCount(), 1);
        // Once saved, the question names the saved file; Discard closes.
        e.open("dot.png", pictureFile(solidPicture(8, 8, Qt::red), "PNG"));
        e.form.saveAnswer = platform::SaveChoice::Discard;
        e.form.close();
        QVERIFY(!e.form.isVisible());
        QCOMPARE(e.form.saveAsked.last(), QStringLiteral("edited.tpl"));
    }

    // The folders the dialogs last showed come back in a new window on the same program folder.
    void dialogFoldersSurviveARun()
    {
        Editor first;
        first.open("banner.tpl", tplOf({{8, 8}}));
        fs::create_directories(first.program / "saved");
        first.save("saved/out.bmp");
        texture_editor::EditorModel model{first.sink, first.program.path()};
        ScriptedForm1 second{model};
        const auto folderOf = [](QFileDialog* dialog) { return platform::qStringToPath(dialog->directory().path()); };
        QCOMPARE(folderOf(second.openDialog()), first.program / "in");
        QCOMPARE(folderOf(second.saveDialog()), first.program / "saved");
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
        QTest::qWait(200);
        screenshot(&e.form, QStringLiteral("pexmo-save-banner"));
    }
};

QTEST_MAIN(TestForm1)
#include "tst_Form1.moc"
