#include "app/XmlFile.h"
#include "image/USaveBincc.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// 512 enabled rows, every text at the editor's longest.
QByteArray fullConfiguration()
{
    const QString oid = QStringLiteral("1.3.6.1.4.1.65535.65535.65535.65535.65535.65535.65535.65535.6553");
    QByteArray xml = "<SNMP_Agent_Access>";
    for (int i = 0; i < 512; ++i) {
        xml += QStringLiteral("<row Enable=\"Y\" IP_Address=\"255.255.255.255\" Version=\"3\" "
                              "Community_String=\"CommunityNameOfThirtyTwoCharsXYZ\" OID=\"%1\" Type=\"Int\" "
                              "Mode=\"Trap\" On_Change=\"Y\" On_Command=\"Y\" On_Timer=\"Y\" Time=\"100000000\" "
                              "Position=\"%2\" Number_Bytes=\"255\" ConvertFrom=\"FLOAT * 100\" "
                              "Mnemonic=\"A free description of the request of sixty-four characters....\"/>")
                   .arg(oid)
                   .arg(i % 496)
                   .toUtf8();
    }
    return xml + "</SNMP_Agent_Access><!--SW_VERSION = 1.000-->";
}

void BM_CompileBank512Rows(benchmark::State &state)
{
    QTemporaryDir dir;
    QFile par(dir.filePath(QStringLiteral("ParGen.xml")));
    par.open(QIODevice::WriteOnly);
    par.write("<Par_Gen><SNMP_Name_of_Station>ABCDEFGHIJKLMNO</SNMP_Name_of_Station></Par_Gen>");
    par.close();
    QFile snmp(dir.filePath(QStringLiteral("SNMP_Manager.xml")));
    snmp.open(QIODevice::WriteOnly);
    snmp.write(fullConfiguration());
    snmp.close();
    static cf::USaveBincc compiler;
    for (auto _ : state) {
        const auto error = compiler.Compile_Project(dir.path());
        if (error || compiler.requestCount() != 512)
            state.SkipWithError("compile failed");
        benchmark::DoNotOptimize(compiler.checksum());
    }
}
BENCHMARK(BM_CompileBank512Rows)->Unit(benchmark::kMillisecond);

// The parse alone, to tell the XML reader's share from the compiler's.
void BM_ParseSnmpManager512Rows(benchmark::State &state)
{
    const QByteArray xml = fullConfiguration();
    for (auto _ : state)
        benchmark::DoNotOptimize(cf::xml::parse(xml, QStringLiteral("SNMP_Manager.xml")).loaded());
}
BENCHMARK(BM_ParseSnmpManager512Rows)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
