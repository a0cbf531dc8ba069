#include "ui/classroom/assign_lessons.h"

#include "core/atomic_write.h"
#include "core/lesson_catalogue.h"
#include "core/local_files.h"
#include "core/regular_file.h"
#include "ui/common/prompts.h"
#include "ui/own_lessons/lesson_editor.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <filesystem>

namespace {

enum Column { Lesson, Title, Due };

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QPushButton* button(QWidget* parent, QLayout* layout, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    layout->addWidget(b);
    return b;
}

} // namespace

AssignLessons::AssignLessons(QString folder, Prompts& prompts, const QFont& lessonFont,
                             QWidget* owner)
    : QDialog(owner), m_folder(std::move(folder)), m_prompts(prompts), m_lessonFont(lessonFont),
      m_course(new QComboBox(this)), m_table(new QTableWidget(0, 3, this)) {
    setObjectName(QStringLiteral("AssignLessons"));
    setWindowTitle(QStringLiteral("布置课文"));
    m_course->setObjectName(QStringLiteral("CourseLesson"));
    for (int n = 1; n <= kLessonCount; ++n)
        for (char letter : {'A', 'B'}) {
            const LessonEntry entry = lessonEntry(n, letter);
            m_course->addItem(QString::fromStdU16String(entry.caption), qs(entry.name));
        }
    m_table->setObjectName(QStringLiteral("PlanTable"));
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("课文"), QStringLiteral("标题"), QStringLiteral("截止日期")});
    m_table->horizontalHeader()->setSectionResizeMode(Title, QHeaderView::Stretch);
    m_table->verticalHeader()->hide();
    auto* adding = new QHBoxLayout;
    adding->addWidget(m_course, 1);
    connect(button(this, adding, "AddCourseLesson", QStringLiteral("添加课程课文")),
            &QPushButton::clicked, this, &AssignLessons::AddCourseLesson_Click);
    connect(button(this, adding, "AddLessonFile", QStringLiteral("添加课文文件...")),
            &QPushButton::clicked, this, &AssignLessons::AddLessonFile_Click);
    connect(button(this, adding, "WriteLesson", QStringLiteral("编写课文...")),
            &QPushButton::clicked, this, &AssignLessons::WriteLesson_Click);
    connect(button(this, adding, "RemoveLesson", QStringLiteral("删除")), &QPushButton::clicked,
            this, &AssignLessons::RemoveLesson_Click);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Save)->setObjectName(QStringLiteral("SavePlan"));
    buttons->button(QDialogButtonBox::Save)->setText(QStringLiteral("保存"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (SavePlan_Click())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(adding);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);
    resize(720, 420);
    for (const PlannedLesson& lesson :
         readPlan(this->folder()).value_or(std::vector<PlannedLesson>{}))
        addRow(lesson);
}

std::string AssignLessons::folder() const {
    return QFile::encodeName(m_folder).toStdString();
}

void AssignLessons::addRow(const PlannedLesson& lesson) {
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    auto* name = new QTableWidgetItem(qs(lesson.lesson));
    name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    m_table->setItem(row, Lesson, name);
    m_table->setItem(row, Title, new QTableWidgetItem(qs(lesson.title)));
    auto* due = new QDateEdit(this);
    due->setCalendarPopup(true);
    due->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    const QDate date = QDate::fromString(qs(lesson.due), Qt::ISODate);
    due->setDate(date.isValid() ? date : QDate::currentDate().addDays(7));
    m_table->setCellWidget(row, Due, due);
}

void AssignLessons::AddCourseLesson_Click() {
    addRow({m_course->currentData().toString().toStdString(),
            m_course->currentText().toStdString(),
            {}});
}

// The file is copied into the class's lessons, checked as a lesson file first.
void AssignLessons::AddLessonFile_Click() {
    const auto file = m_prompts.chooseOpenFile(this, QStringLiteral("课文文件 (*.ORV *.orv)"));
    if (!file)
        return;
    const auto bytes = readRegularFile(QFile::encodeName(*file).toStdString(), kLessonFileLimit);
    const std::string name = QFileInfo(*file).completeBaseName().toStdString();
    std::error_code ignored; // a folder that cannot be made shows as the copy's failure
    std::filesystem::create_directories(classLessonsFolder(folder()), ignored);
    if (!std::holds_alternative<std::string>(bytes) ||
        replaceFile(classLessonsFolder(folder()) + "/" + name + ".ORV",
                    std::get<std::string>(bytes))) {
        m_prompts.inform(this, QStringLiteral("无法把 %1 复制到班级文件夹。").arg(*file),
                         QStringLiteral("布置课文"));
        return;
    }
    addRow({name, name, {}});
}

void AssignLessons::WriteLesson_Click() {
    std::error_code ignored;
    std::filesystem::create_directories(classLessonsFolder(folder()), ignored);
    m_kanji.load();
    auto* editor = new LessonEditor(m_prompts, m_analyser, m_kanji, classLessonsFolder(folder()),
                                    m_lessonFont, this);
    editor->setWindowFlag(Qt::Window);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    connect(editor, &LessonEditor::saved, this, [this](const std::string& path) {
        const std::string name = std::filesystem::path(path).stem().string();
        for (const PlannedLesson& lesson : plan())
            if (lesson.lesson == name)
                return;
        addRow({name, name, {}});
    });
    editor->show();
}

void AssignLessons::RemoveLesson_Click() {
    if (m_table->currentRow() >= 0)
        m_table->removeRow(m_table->currentRow());
}

std::vector<PlannedLesson> AssignLessons::plan() const {
    std::vector<PlannedLesson> plan;
    for (int row = 0; row < m_table->rowCount(); ++row)
        plan.push_back({m_table->item(row, Lesson)->text().toStdString(),
                        m_table->item(row, Title)->text().toStdString(),
                        static_cast<QDateEdit*>(m_table->cellWidget(row, Due))
                            ->date()
                            .toString(Qt::ISODate)
                            .toStdString()});
    return plan;
}

bool AssignLessons::SavePlan_Click() {
    if (!writePlan(folder(), plan()))
        return true;
    m_prompts.inform(this, QStringLiteral("无法把课文计划写入班级文件夹 %1。").arg(m_folder),
                     QStringLiteral("布置课文"));
    return false;
}
