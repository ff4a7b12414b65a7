#include "WindowHabits.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>

#include "CommandLine.h"
#include "Process.h"
#include "QtText.h"

namespace platform {
namespace {

// The first local file or folder a drag carries, or "".
QString firstLocalPath(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return {};
}

class DropFilter : public QObject
{
public:
    DropFilter(QWidget* target, std::function<void(const std::filesystem::path&)> dropped)
        : QObject(target), m_dropped(std::move(dropped))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (firstLocalPath(drag->mimeData()).isEmpty()) {
                drag->ignore();
            } else {
                drag->setDropAction(Qt::CopyAction);
                drag->accept();
            }
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString path = firstLocalPath(drop->mimeData());
            if (path.isEmpty())
                return QObject::eventFilter(watched, event);
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            m_dropped(qStringToPath(path));
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    std::function<void(const std::filesystem::path&)> m_dropped;
};

} // namespace

void acceptPathDrops(QWidget* target, std::function<void(const std::filesystem::path&)> dropped)
{
    target->setAcceptDrops(true);
    target->installEventFilter(new DropFilter(target, std::move(dropped)));
}

void addHelpShortcut(QWidget* window, const std::string& programName, const QString& helpText)
{
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F1), window);
    shortcut->setContext(Qt::WindowShortcut);
    const QString title = QString::fromStdString(programName);
    QObject::connect(shortcut, &QShortcut::activated, window, [window, title, helpText] {
        QMessageBox::about(window, title,
                           QStringLiteral("%1 %2\n\n%3").arg(title, QString::fromLatin1(suiteVersion()), helpText));
    });
}

QString withShortcut(const QString& tip, const QString& shortcut)
{
    const QString native = QKeySequence(shortcut).toString(QKeySequence::NativeText);
    return tip.isEmpty() ? native : QStringLiteral("%1 (%2)").arg(tip, native);
}

void addButtonShortcut(QWidget* window, QAbstractButton* button, const QString& key, const QString& tip)
{
    auto* shortcut = new QShortcut(QKeySequence(key), window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, &QAbstractButton::click);
    button->setToolTip(withShortcut(tip, key));
}

void closeOnEscape(QWidget* window)
{
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, &QWidget::close);
}

SaveChoice askToSaveChanges(QWidget* parent, const QString& title, const QString& fileName)
{
    QMessageBox box(QMessageBox::Warning, title, QStringLiteral("Save changes to %1?").arg(fileName),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

bool askYesNo(QWidget* parent, const QString& title, const QString& question)
{
    QMessageBox box(QMessageBox::Question, title, question, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

BusyIndicator::BusyIndicator(QWidget* parent) : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    m_text = new QLabel(this);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 0); // no known length: the bar moves to and fro
    m_bar->setMaximumWidth(160);
    m_bar->setTextVisible(false);
    // The bar keeps its room while hidden, so the window's controls do not move when work starts.
    QSizePolicy keepRoom = m_bar->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    m_bar->setSizePolicy(keepRoom);
    row->addWidget(m_text, 1);
    row->addWidget(m_bar);
    m_bar->hide();
}

BusyIndicator::~BusyIndicator()
{
    setBusy(false);
}

void BusyIndicator::setWaitingControls(std::initializer_list<QWidget*> controls)
{
    m_waiting.assign(controls.begin(), controls.end());
}

void BusyIndicator::setBusy(bool busy, const QString& what)
{
    if (busy == m_busy) {
        m_text->setText(busy ? what : QString());
        return;
    }
    m_busy = busy;
    m_text->setText(busy ? what : QString());
    m_bar->setVisible(busy);
    if (busy)
        m_focusBeforeBusy = QApplication::focusWidget();
    for (const auto& control : m_waiting)
        if (control)
            control->setEnabled(!busy);
    if (busy) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        // The work that follows keeps the event loop waiting: paint the indicator now.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    } else {
        QApplication::restoreOverrideCursor();
        if (m_focusBeforeBusy)
            m_focusBeforeBusy->setFocus();
    }
}

void BusyIndicator::followOutsidePrograms(const QString& what)
{
    QPointer<BusyIndicator> self(this);
    setBusyHandler([self, what](bool busy) {
        if (self)
            self->setBusy(busy, what);
    });
}

} // namespace platform
