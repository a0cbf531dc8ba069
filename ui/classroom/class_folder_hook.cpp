#include "ui/classroom/class_folder_hook.h"

#include "ui/common/prompts.h"
#include "ui/main_window/hint_row.h"
#include "ui/user_settings.h"

#include <QAction>
#include <QFile>
#include <QWidget>

QString publishProblemText(FileProblem problem) {
    switch (problem) {
    case FileProblem::Missing:
        return QStringLiteral("找不到班级文件夹（可能未连接）");
    case FileProblem::NoPermission:
        return QStringLiteral("班级文件夹是只读的");
    case FileProblem::DiskFull:
        return QStringLiteral("班级文件夹所在的磁盘已满");
    case FileProblem::Busy:
        return QStringLiteral("练习记录正被占用");
    default:
        return QStringLiteral("无法写入班级文件夹");
    }
}

ClassFolderHook::ClassFolderHook(QWidget& window, QAction& item, HintRow& hints, Prompts& prompts,
                                 std::string journalPath, Learner learner, QString folder)
    : QObject(&window), m_window(window), m_hints(hints), m_prompts(prompts),
      m_journalPath(std::move(journalPath)), m_learner(std::move(learner)),
      m_folder(std::move(folder)) {
    connect(&item, &QAction::triggered, this, &ClassFolderHook::ClassFolder_Click);
    usePublisher();
}

ClassFolderHook::~ClassFolderHook() = default;

void ClassFolderHook::usePublisher() {
    m_publisher.reset();
    m_hints.clear(this);
    if (m_folder.isEmpty())
        return;
    m_publisher = std::make_unique<ClassPublisher>(
        m_journalPath, QFile::encodeName(m_folder).toStdString(), m_learner.name,
        progressFileName(m_learner.name, m_learner.id),
        [this](const ClassPublisher::Outcome& outcome) {
            QMetaObject::invokeMethod(this, [this, outcome] { told(outcome); });
        });
    // What was practised while no folder was reachable goes out now.
    m_publisher->publishSoon();
}

void ClassFolderHook::publishSoon() {
    if (m_publisher)
        m_publisher->publishSoon();
}

void ClassFolderHook::told(const ClassPublisher::Outcome& outcome) {
    if (!outcome.problem) {
        m_hints.clear(this);
        emit published(QString());
        return;
    }
    const QString problem = publishProblemText(*outcome.problem);
    m_hints.show(this, QStringList{problem + QStringLiteral("：进度稍后自动发布，练习记录不会丢失"),
                                   problem + QStringLiteral("，稍后自动重试")});
    emit published(problem);
}

void ClassFolderHook::ClassFolder_Click() {
    const auto folder = m_prompts.chooseFolder(&m_window, QStringLiteral("选择班级文件夹"));
    if (!folder)
        return;
    m_folder = *folder;
    saveSetting(kClassFolder, m_folder);
    usePublisher();
}
