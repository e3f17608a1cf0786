#include "app/ui/AboutDialog.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace dialtally {

TEST(AboutBox, NamesTheProgramAndItsVersion)
{
    TAboutBox box;
    EXPECT_EQ(box.findChild<QLabel*>("LabelProduct")->text(), "Dialtally");
    EXPECT_EQ(box.findChild<QLabel*>("LabelVersion")->text(),
              QStringLiteral("Version ") + QStringLiteral(DIALTALLY_VERSION));
}

} // namespace dialtally
