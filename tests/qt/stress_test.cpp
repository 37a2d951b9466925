// Ten thousand draws typed, computed and cleared through real events, with
// the rows checked every round and the heap measured, not guessed: after all
// the rounds it must be no larger than after the first hundred.
// RONGXI_STRESS_ROUNDS sets another number of rounds, for a quick look.
#include <QApplication>
#include <QtTest>
#include <array>
#include <fstream>
#include <string>

#include "data/draw_scenarios.h"
#include "window_driver.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define RONGXI_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define RONGXI_ASAN 1
#endif

#ifdef RONGXI_ASAN
#include <sanitizer/allocator_interface.h>
#else
#include <malloc.h>
#endif

namespace {

// Bytes the program holds on the heap right now.
std::size_t HeapInUse() {
#ifdef RONGXI_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

std::size_t ResidentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stoul(line.substr(6));
    }
    return 0;
}

// Qt's own caches move by a few hundred bytes either way from round to
// round; one leaked allocation per round would add well over 100 KB.
constexpr std::size_t kSettlingBytes = 4096;

// Characters a user might type: digits, letters, a blank, a sign.
const QString kKeys = QStringLiteral("0123456789abcxyz -+.");

}  // namespace

class StressTest : public QObject {
    Q_OBJECT

    WindowDriver user_;

private slots:
    void init() { user_.open(); }
    void cleanup() { user_.close(); }

    void tenThousandDrawsLeaveTheHeapAsItWas() {
        const int rounds = qEnvironmentVariableIntValue("RONGXI_STRESS_ROUNDS") > 0
                               ? qEnvironmentVariableIntValue("RONGXI_STRESS_ROUNDS")
                               : 10000;
        std::size_t heapAfterWarmUp = 0;
        std::size_t residentAfterWarmUp = 0;
        for (int round = 0; round < rounds; ++round) {
            QString draw;
            for (int i = 0; i < 3; ++i) draw += kKeys[(round * 7 + i * 13) % kKeys.size()];
            user_.clickBox(1);
            WindowDriver::type(draw);
            user_.click(QStringLiteral("Command1"));

            const std::u16string entries = draw.toStdU16String();
            const auto expected =
                rongxi::test::ExpectedRows({std::u16string_view(entries).substr(0, 1),
                                            std::u16string_view(entries).substr(1, 1),
                                            std::u16string_view(entries).substr(2, 1)});
            for (int row = 0; row < 6; ++row) {
                QCOMPARE(user_.box(4 + row)->text(),
                         QString::fromStdString(expected.at(static_cast<std::size_t>(row))));
            }
            user_.click(QStringLiteral("Command2"));
            QCOMPARE(user_.texts(1, 9), QStringList(9, QString()));

            if (round == 99) {
                QCoreApplication::processEvents();
                heapAfterWarmUp = HeapInUse();
                residentAfterWarmUp = ResidentKiB();
            }
        }
        QCoreApplication::processEvents();
        const std::size_t heapAfterAll = HeapInUse();
        qInfo("heap in use after 100 rounds: %zu bytes; after %d rounds: %zu bytes",
              heapAfterWarmUp, rounds, heapAfterAll);
        qInfo("resident after 100 rounds: %zu KiB; after %d rounds: %zu KiB", residentAfterWarmUp,
              rounds, ResidentKiB());
        QVERIFY2(heapAfterAll <= heapAfterWarmUp + kSettlingBytes, "the heap grew over the rounds");
    }
};

QTEST_MAIN(StressTest)
#include "stress_test.moc"
