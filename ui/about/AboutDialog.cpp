#include "ui/about/AboutDialog.h"

#include "ui/AccessibleRoles.h"
#include "ui/Credits.h"
#include "ui/DesignFont.h"
#include "ui/Twips.h"
#include "ui/WarningBox.h"
#include "ui/about/LinkLabel.h"
#include "ui/about/RuleLine.h"
#include "ui/about/WebSiteLauncher.h"

#include <QPushButton>

namespace lapidor {

namespace {

constexpr int clientWidth = 5865;
constexpr int clientHeight = 2130;
constexpr TwipsRect okButtonRect{2160, 1680, 1467, 345};
constexpr int labelLeft = 240;
constexpr int labelWidth = 4455;
constexpr int labelHeight = 255;
constexpr int separatorTop = 1440;
constexpr int separatorLeft = 120;

// One line of the etched rule.
void addRule(QWidget* parent, int index, int right, int thickness, const QColor& colour, QPalette::ColorRole onDark)
{
    auto* line = new RuleLine(colour, onDark, parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setProperty("index", index);
    line->setGeometry(pixels(separatorLeft), pixels(separatorTop), pixels(right - separatorLeft) + 1, thickness);
}

} // namespace

AboutDialog::AboutDialog(QWidget* owner)
    : QDialog(owner,
              Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                  | Qt::WindowCloseButtonHint)
    , okButton_(new QPushButton(tr("OK"), this))
{
    installAccessibleRoles();
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About Lapidor"));
    setFixedSize(pixels(clientWidth), pixels(clientHeight));

    okButton_->setObjectName(QStringLiteral("cmdOK"));
    okButton_->setGeometry(okButtonRect.toPixels());
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    addLabels();
    addSeparator();
    // A screen reader reads OK last, where it stands. Tab goes from OK to
    // the link and back.
    okButton_->raise();
}

void AboutDialog::addLabels()
{
    // Label n stands on row n, one below the other.
    const auto place = [](QLabel* label, int n) {
        label->setObjectName(QStringLiteral("Label%1").arg(n));
        label->setGeometry(TwipsRect{labelLeft, 240 + 360 * (n - 1), labelWidth, labelHeight}.toPixels());
        label->setFont(tahomaBold(9.75));
        label->setTextFormat(Qt::PlainText);
    };
    place(new QLabel(tr("The Varnhollow Lapidor"), this), 1);
    place(new QLabel(tr("Created by %1").arg(authorName), this), 2);

    auto* link = new LinkLabel(webSiteAddress, QColor(0, 0, 255), this);
    place(link, 3);
    QFont underlined = link->font();
    underlined.setUnderline(true);
    link->setFont(underlined);
    connect(link, &LinkLabel::clicked, this, &AboutDialog::openLink);
}

void AboutDialog::addSeparator()
{
    // A grey line drawn over a white one that is twice as thick: an etched
    // rule. On a dark palette it takes the palette's light and shadow.
    addRule(this, 0, 5537, 2, Qt::white, QPalette::Light);
    addRule(this, 1, 5552, 1, QColor(128, 128, 128), QPalette::Shadow);
}

void AboutDialog::showModal()
{
    // Centre over the owner wherever it now stands, as on the first opening.
    setAttribute(Qt::WA_Moved, false);
    okButton_->setFocus();
    exec();
}

void AboutDialog::openLink()
{
    if (openWebSite(webSiteAddress))
        return;
    showWarning(this,
                tr("The web site %1 could not be opened. You can type the address into your web browser instead.")
                    .arg(webSiteAddress));
}

} // namespace lapidor
