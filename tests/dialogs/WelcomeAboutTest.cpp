#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "dialogs/DisabledWhileOpen.h"
#include "dialogs/TFrmLumivaneAbout.h"
#include "dialogs/TFrmWelcome.h"
#include "dialogs/controls/TLinkLabel.h"

// Addresses in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QUrl& url, std::ostream* os) {
  *os << url.toString().toStdString();
}
QT_END_NAMESPACE

namespace lumivane {
namespace {

ProgramLinks TestLinks(std::vector<QUrl>* opened) {
  ProgramLinks links;
  links.webSite = QStringLiteral("https://lumivane.example/");
  links.donation = QStringLiteral("https://lumivane.example/donate");
  links.licenceFile = QStringLiteral("/opt/lumivane/EULA.TXT");
  links.open = [opened](const QUrl& url) { opened->push_back(url); };
  return links;
}

// Runs `act` on the modal window once it is up.
template <typename Window>
void WhenShown(std::function<void(Window&)> act) {
  QTimer::singleShot(0, [act] {
    auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
    ASSERT_NE(window, nullptr);
    act(*window);
  });
}

// Clicks the middle of a link (QTest takes the point 0,0 for the widget's centre).
void ClickLink(TLinkLabel& label, int link) {
  std::vector<QPoint> over;
  for (int y = 0; y < label.height(); ++y) {
    for (int x = 0; x < label.width(); ++x) {
      if (label.LinkAt({x, y}) == link) over.emplace_back(x, y);
    }
  }
  ASSERT_FALSE(over.empty()) << "no link " << link;
  QTest::mouseClick(&label, Qt::LeftButton, {}, over[over.size() / 2]);
}

TEST(Welcome, TickedBoxTurnsTheSettingOffUntickedKeepsIt) {
  std::vector<QUrl> opened;
  WhenShown<TFrmWelcome>([](TFrmWelcome& w) {
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Welcome"));
    EXPECT_FALSE(w.CkDontShowAgain->isChecked());
    w.CkDontShowAgain->click();
    w.BtnOK->click();
  });
  EXPECT_FALSE(RunWelcomeWindow(true, TestLinks(&opened)));

  WhenShown<TFrmWelcome>([](TFrmWelcome& w) { w.BtnOK->click(); });
  EXPECT_TRUE(RunWelcomeWindow(true, TestLinks(&opened)));
  // Closed with Escape, unticked: it comes again.
  WhenShown<TFrmWelcome>([](TFrmWelcome& w) { QTest::keyClick(&w, Qt::Key_Escape); });
  EXPECT_TRUE(RunWelcomeWindow(true, TestLinks(&opened)));
  // Off: no window at all (a window would wait here for ever).
  EXPECT_FALSE(RunWelcomeWindow(false, TestLinks(&opened)));
  EXPECT_TRUE(opened.empty());
}

TEST(Welcome, LinksOpenTheLicenceTheDonationPageAndTheWebSite) {
  std::vector<QUrl> opened;
  TFrmWelcome welcome(TestLinks(&opened));
  welcome.show();
  ClickLink(*welcome.LinkLicence, 0);
  ClickLink(*welcome.LinkDonate, 0);
  welcome.ImgDonate->click();
  ClickLink(*welcome.LinkWebSite, 0);
  EXPECT_EQ(opened, (std::vector<QUrl>{QUrl::fromLocalFile("/opt/lumivane/EULA.TXT"),
                                       QUrl("https://lumivane.example/donate"),
                                       QUrl("https://lumivane.example/donate"),
                                       QUrl("https://lumivane.example/")}));
  EXPECT_EQ(welcome.ImgDonate->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_GE(welcome.width(), 349);
}

TEST(Welcome, EmptyAddressesHideTheirLinks) {
  std::vector<QUrl> opened;
  ProgramLinks links = TestLinks(&opened);
  links.webSite.clear();
  links.donation.clear();
  TFrmWelcome welcome(links);
  welcome.show();
  EXPECT_FALSE(welcome.ImgDonate->isVisible());
  EXPECT_FALSE(welcome.LinkDonate->isVisible());
  EXPECT_FALSE(welcome.LabelUpdates->isVisible());
  EXPECT_FALSE(welcome.LinkWebSite->isVisible());
  EXPECT_TRUE(welcome.LinkLicence->isVisible());
}

struct FakeSystem {
  std::string memInfo = "MemTotal: 4194304 kB\nMemAvailable: 2642411 kB\n";
  int memReads = 0;
  std::vector<QString> errors;

  AboutSources Sources(std::function<std::string()> serverVersion) {
    AboutSources sources;
    sources.serverVersion = std::move(serverVersion);
    sources.productVersion = "1.5.0.1";
    sources.osRelease = [] { return std::string("ID=x\nPRETTY_NAME=\"Example OS 7\"\n"); };
    sources.kernelRelease = [] { return std::string("6.1.0-test"); };
    sources.memInfo = [this] {
      ++memReads;
      return memInfo;
    };
    sources.thousandSeparator = QStringLiteral(",");
    sources.reportError = [this](const QString& text) { errors.push_back(text); };
    return sources;
  }
};

TEST(About, LinesFromTheServerTheProgramAndTheSystem) {
  FakeSystem system;
  std::vector<QUrl> opened;
  TFrmLumivaneAbout about(system.Sources([] { return std::string("3.0.16"); }), TestLinks(&opened));
  EXPECT_EQ(about.windowTitle(), QStringLiteral("About"));
  EXPECT_EQ(about.Label2->text(), QStringLiteral("Microsoft Outlook® version 3.0.16"));
  EXPECT_EQ(about.LblVersion->text(), QStringLiteral("Version 1.50 SR1 (Service Release 1)"));
  EXPECT_EQ(about.LabelPlatform->text(), QStringLiteral("Example OS 7 (6.1.0-test)"));
  EXPECT_EQ(about.PhysMemory->text(), QStringLiteral("4,096 MB"));
  EXPECT_EQ(about.ValueLoad->text(), QStringLiteral("38% Load"));
  EXPECT_TRUE(system.errors.empty());
  EXPECT_FALSE(about.ImgLogo->pixmap().isNull());
  EXPECT_EQ(about.ImgLogo->pixmap().size(), QSize(64, 64));
  EXPECT_TRUE(about.BtnOK->isDefault());

  // Every activation reads the memory figures again.
  system.memInfo = "MemTotal: 8000 kB\nMemAvailable: 2000 kB\n";
  const int reads = system.memReads;
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(&about, &activate);
  EXPECT_EQ(system.memReads, reads + 1);
  EXPECT_EQ(about.PhysMemory->text(), QStringLiteral("8,000 KB"));
  EXPECT_EQ(about.ValueLoad->text(), QStringLiteral("75% Load"));
  // An unreadable table leaves both empty rather than stale.
  system.memInfo.clear();
  QApplication::sendEvent(&about, &activate);
  EXPECT_EQ(about.PhysMemory->text(), QString());
  EXPECT_EQ(about.ValueLoad->text(), QString());
}

// Every wrapped text gets the height its lines need: none is cut.
void ExpectNoTextCut(QWidget& window) {
  for (QLabel* label : window.findChildren<QLabel*>()) {
    if (!label->isVisible() || !label->wordWrap()) continue;
    EXPECT_GE(label->height(), label->heightForWidth(label->width()))
        << label->text().toStdString();
  }
  for (TLinkLabel* label : window.findChildren<TLinkLabel*>()) {
    if (!label->isVisible()) continue;
    EXPECT_GE(label->height(), label->heightForWidth(label->width()))
        << label->Caption().toStdString();
  }
}

TEST(WelcomeAbout, NoTextIsCutAtTheirFixedSize) {
  FakeSystem system;
  std::vector<QUrl> opened;
  TFrmLumivaneAbout about(system.Sources([] {
    return std::string(
        "a long server version text "
        "that takes two lines here");
  }),
                          TestLinks(&opened));
  about.show();
  ExpectNoTextCut(about);
  EXPECT_EQ(about.width(), 425);
  TFrmWelcome welcome(TestLinks(&opened));
  welcome.show();
  ExpectNoTextCut(welcome);
  EXPECT_EQ(welcome.width(), 349);
}

TEST(About, FailingServerIsReportedAndTheWindowStillOpens) {
  FakeSystem system;
  std::vector<QUrl> opened;
  TFrmLumivaneAbout about(system.Sources([]() -> std::string {
    throw std::runtime_error("The calendar server is not running.");
  }),
                          TestLinks(&opened));
  EXPECT_EQ(system.errors,
            (std::vector<QString>{QStringLiteral("The calendar server is not running.")}));
  EXPECT_EQ(about.Label2->text(), QStringLiteral("Outlook version"));
  EXPECT_EQ(about.LblVersion->text(), QStringLiteral("Version "));
  EXPECT_EQ(about.LabelPlatform->text(), QString());
  // The memory figures do not depend on the server.
  EXPECT_EQ(about.PhysMemory->text(), QStringLiteral("4,096 MB"));
  WhenShown<TFrmLumivaneAbout>([](TFrmLumivaneAbout& w) { QTest::keyClick(&w, Qt::Key_Escape); });
  EXPECT_EQ(about.exec(), QDialog::Rejected);
}

TEST(About, LinksAndTheirAbsence) {
  FakeSystem system;
  std::vector<QUrl> opened;
  {
    TFrmLumivaneAbout about(system.Sources([] { return std::string("1"); }), TestLinks(&opened));
    about.show();
    ClickLink(*about.LinkDonate, 0);
    ClickLink(*about.LinkWebSite, 0);
    about.ImgDonate->click();
  }
  EXPECT_EQ(opened, (std::vector<QUrl>{QUrl("https://lumivane.example/donate"),
                                       QUrl("https://lumivane.example/"),
                                       QUrl("https://lumivane.example/donate")}));
  ProgramLinks none = TestLinks(&opened);
  none.webSite.clear();
  none.donation.clear();
  TFrmLumivaneAbout about(system.Sources([] { return std::string("1"); }), none);
  about.show();
  EXPECT_FALSE(about.ImgDonate->isVisible());
  EXPECT_FALSE(about.LinkDonate->isVisible());
  EXPECT_FALSE(about.LinkWebSite->isVisible());
  EXPECT_TRUE(about.BtnOK->isVisible());
}

TEST(About, ItsMenuItemCannotOpenASecondWhileOneIsOpen) {
  FakeSystem system;
  QAction item(QStringLiteral("&About..."));
  int opened = 0;
  bool enabledWhileOpen = true;
  std::vector<QUrl> urls;
  QObject::connect(&item, &QAction::triggered, [&] {
    const DisabledWhileOpen disabled(&item);
    ++opened;
    TFrmLumivaneAbout about(system.Sources([] { return std::string("1"); }), TestLinks(&urls));
    WhenShown<TFrmLumivaneAbout>([&](TFrmLumivaneAbout& w) {
      enabledWhileOpen = item.isEnabled();
      item.trigger();  // what a second click on the menu item would do
      w.BtnOK->click();
    });
    about.exec();
  });
  item.trigger();
  EXPECT_EQ(opened, 1);
  EXPECT_FALSE(enabledWhileOpen);
  EXPECT_TRUE(item.isEnabled());
  // Once closed, it opens again.
  item.trigger();
  EXPECT_EQ(opened, 2);
}

}  // namespace
}  // namespace lumivane
