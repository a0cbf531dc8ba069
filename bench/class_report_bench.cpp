// Opening 班级报告 on a class folder of 40 learners, each with the fullest
// file a year of daily practice gives (all 96 lessons, every day, every week's
// slips of every kind, the most missed characters), until it is painted.
#include "bench/bench_support.h"
#include "classroom/class_publisher.h"
#include "classroom/learner_progress.h"
#include "ui/classroom/class_report_window.h"
#include "ui/common/prompts.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kLearners = 40;

LearnerProgress aYear(const std::string& learner) {
    LearnerProgress p;
    p.learner = learner;
    p.publishedAt = "2026-12-31T20:00:00+08:00";
    const QDate first(2026, 1, 1);
    for (int n = 0; n < 96; ++n) {
        char lesson[8];
        std::snprintf(lesson, sizeof lesson, "J%02d%c", n / 2 + 1, n % 2 ? 'B' : 'A');
        p.lessons.push_back(
            {lesson, "第一课 基本课文", 104, 80.5, 75.25, 93.5, "2026-12-30", 90, 3});
    }
    for (int d = 0; d < 365; ++d)
        p.days.push_back({first.addDays(d).toString(Qt::ISODate).toStdString(), 27, 5400});
    for (int w = 0; w < 53; ++w)
        for (const char* kind : {"中文字形", "写成假名", "写成汉字", "选错汉字", "读音错误", "其他",
                                 "输入法未开", "多打", "漏打"})
            p.slips.push_back({first.addDays(7 * w).toString(Qt::ISODate).toStdString(), kind, 12});
    for (int m = 0; m < 100; ++m)
        p.missed.push_back({QString(QChar(0x4E00 + m)).toStdString(), "x", 100 - m});
    return p;
}

void OpenClassReportOf40Learners(benchmark::State& bench) {
    QTemporaryDir folder;
    QDir().mkpath(folder.filePath(QStringLiteral("progress")));
    for (int n = 0; n < kLearners; ++n) {
        const std::string name = "学生" + std::to_string(n + 1);
        QFile file(QString::fromStdString(progressFolder(folder.path().toStdString()) + "/" +
                                          progressFileName(name, std::to_string(n))));
        if (!file.open(QIODevice::WriteOnly)) {
            bench.SkipWithError("cannot write the class folder");
            return;
        }
        file.write(QByteArray::fromStdString(writeProgress(aYear(name))));
    }
    Prompts prompts;
    for (auto _ : bench) {
        ClassReportWindow window(folder.path(), prompts, nullptr);
        window.show();
        window.repaint();
        bench.PauseTiming();
        if (window.report().learners.size() != kLearners)
            bench.SkipWithError("learners are missing from the report");
        window.close();
        QApplication::processEvents();
        bench.ResumeTiming();
    }
}
BENCHMARK(OpenClassReportOf40Learners)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    return runWindowBenchmarks(argc, argv);
}
