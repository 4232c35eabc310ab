// CREATE for a customer of the partner web host: the secure-server lookup runs while the
// window keeps painting and takes no input, and its working file lands in the output folder.

#include "WizardTestSupport.h"

#include "generator/CreateSite.h"
#include "generator/SecureDomain.h"
#include "generator/Probe.h"
#include "publish/InternetLink.h"
#include "publish/tests/NetTestKit.h"
#include "testsupport/ScopedProcessState.h"

#include <QElapsedTimer>

#include <chrono>
#include <thread>

using namespace velmora;
using uitest::NextModal;
using uitest::Wizard;

namespace {

constexpr auto kAnswerDelay = std::chrono::milliseconds(1500);

// The partner's note on the site's FAQ page, naming the server "secure42".
std::string faqPage()
{
    return "<html><body>\n" + std::string(probeMarker) + "\n<br>\n<p>\n     https://secure42." +
           std::string(secureDomain) + "/~shop/\n</body></html>\n";
}

} // namespace

class LookupTest : public QObject {
    Q_OBJECT

private slots:
    void slowLookupKeepsTheWindowPaintingAndIgnoresClicks()
    {
        const test::ScopedProcessState keep;
        testkit::HttpTestServer server([](const testkit::RecordedRequest&) {
            std::this_thread::sleep_for(kAnswerDelay);
            return testkit::Answer::reply(testkit::httpReply(200, "OK", faqPage()));
        });
        net::settings().addConnectTo(server.connectTo("www.shop.test"));

        Wizard wizard;
        platform::setChecked(*wizard.dialog, ui::id::hostingCustomer, true);
        wizard.setText(ui::id::siteUrl, "www.shop.test");

        int ticks = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(20);
        // Half-way through the lookup: a click on PREVIEW and a key press, both to be ignored.
        int ticksAtClick = -1;
        QTimer::singleShot(700, [&] {
            ticksAtClick = ticks;
            wizard.click(ui::id::preview);
            QTest::keyClick(wizard.control(ui::id::exit), Qt::Key_Escape);
        });
        int ticksAtPitch = -1;
        NextModal pitch([&](QDialog& dialog) {
            ticksAtPitch = ticks;
            dialog.reject();
        });
        QElapsedTimer clock;
        clock.start();
        wizard.click(ui::id::create);
        const auto elapsed = clock.elapsed();

        QVERIFY(pitch.ran());
        QVERIFY(elapsed >= 1400);
        // The timer kept firing while the lookup waited, long before it ended.
        QVERIFY2(ticksAtClick >= 15, qPrintable(QString::number(ticksAtClick)));
        QVERIFY(ticksAtPitch > ticksAtClick);
        QVERIFY(wizard.opened.empty());
        QVERIFY(wizard.dialog->isVisible());
        QVERIFY(platform::shownMessages().empty());

        QCOMPARE(processGeneratorState().secureHost, "secure42." + std::string(secureDomain));
        QVERIFY(test::readFile(wizard.folder() / "order.html").find("secure42.") != std::string::npos);
        // The lookup's working file is in the output folder, not where the wizard started.
        QVERIFY(std::filesystem::exists(wizard.folder() / "test.txt"));
        QVERIFY(!std::filesystem::exists(wizard.home / "test.txt"));
    }

    void lookupThatFindsNoServerShowsTheWarningBox()
    {
        const test::ScopedProcessState keep;
        testkit::RefusingPort refusing;
        net::settings().addConnectTo("www.shop.test:80:127.0.0.1:" + std::to_string(refusing.port()));
        Wizard wizard;
        platform::setChecked(*wizard.dialog, ui::id::hostingCustomer, true);
        wizard.setText(ui::id::siteUrl, "www.shop.test");
        NextModal pitch([](QDialog& dialog) { dialog.reject(); }, 10);
        platform::setNextAnswer(platform::MessageAnswer::Ok);
        wizard.click(ui::id::create);
        QTest::qWait(300);
        QVERIFY(!pitch.ran());
        QCOMPARE(platform::shownMessages().size(), std::size_t{1});
        QCOMPARE(platform::shownMessages()[0].icon, platform::MessageIcon::Warning);
        QVERIFY(platform::shownMessages()[0].text.find(std::string(secureDomain)) != std::string::npos);
    }
};

VELMORA_WIZARD_TEST_MAIN(LookupTest)
#include "LookupTest.moc"
