// Opening the SNMP requests dialog on a full table, and OK on it.
#include "app/AppContext.h"
#include "editors/RuleTableModel.h"
#include "editors/SnmpManagerTable.h"
#include "editors/ui/SNMPManagerAccess.h"
#include "platform/ScriptedPrompt.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace cf;

// A configuration with 512 rows that all pass validation.
struct FullProject {
    FullProject()
    {
        QDir(dir.path()).mkpath(QStringLiteral("PROJECTS/p"));
        context.openProject(QStringLiteral("p"));
        auto table = snmp::makeTable();
        snmp::resetTable(*table);
        for (int r = 1; r <= snmp::kRuleRows; ++r) {
            table->setRowTexts(r, {QStringLiteral("Y"), QStringLiteral("192.168.%1.%2").arg(r / 256).arg(r % 256),
                                   QStringLiteral("2"), QStringLiteral("Mireva"),
                                   QStringLiteral("1.3.6.1.2.1.2.2.1.10.%1").arg(r), QStringLiteral("Int"),
                                   QStringLiteral("Get"), QStringLiteral("N"), QStringLiteral("N"),
                                   QStringLiteral("Y"), QStringLiteral("1000"), QString::number(r % 496),
                                   QStringLiteral("4"), QStringLiteral("Float * 10"),
                                   QStringLiteral("request number %1").arg(r)});
        }
        QString error;
        if (!snmp::saveFile(context.files.snmpManager, *table, &error))
            qFatal("cannot write the bench file");
    }
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    AppContext context{dir.path(), prompt};
};

void BM_OpenDialogOn512Rows(benchmark::State &state)
{
    FullProject project;
    ui::TFSNMPManagerAccess dialog(project.context);
    dialog.show();
    for (auto _ : state) {
        if (!dialog.FormShow())
            state.SkipWithError("open failed");
        // Lay out and paint the visible rows, as the first showing does.
        benchmark::DoNotOptimize(dialog.grab());
    }
}
BENCHMARK(BM_OpenDialogOn512Rows)->Unit(benchmark::kMillisecond);

void BM_OkOn512Rows(benchmark::State &state)
{
    FullProject project;
    ui::TFSNMPManagerAccess dialog(project.context);
    if (!dialog.FormShow())
        state.SkipWithError("open failed");
    dialog.show();
    for (auto _ : state) {
        dialog.Btn_OKClick();
        if (!project.prompt.shown().isEmpty())
            state.SkipWithError("validation failed");
        dialog.show();
    }
}
BENCHMARK(BM_OkOn512Rows)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
