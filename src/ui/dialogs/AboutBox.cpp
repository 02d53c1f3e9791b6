#include "AboutBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "desktop/HomePage.h"
#include "document/InfoFields.h"
#include "support/StatusTexts.h"
#include "support/Texts.h"

namespace sono {

AboutBox::AboutBox(QWidget* parent, uint8_t language, const QString& snailPicture,
                   const QString& homePage)
    : QDialog(parent) {
    auto text = [language](const char* dutch, const char* english) {
        return QString::fromStdString(LangText(language, dutch, english));
    };
    const QString caption = QString::fromUtf8(ProgramSignature.data(), ProgramSignature.size());
    setObjectName("FrmAbout");
    setWindowTitle(caption);

    auto* picture = new QLabel;
    picture->setObjectName("snail");
    picture->setPixmap(QPixmap(snailPicture));
    picture->setAlignment(Qt::AlignTop);

    auto* name = new QLabel(caption);
    name->setObjectName("caption");
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    name->setFont(big);

    auto* maker = new QLabel(text("Een geluidsbewerker voor Linux\n"
                                  "Gemaakt door het Sonoplexer-project",
                                  "A sound editor for Linux\n"
                                  "Made by the Sonoplexer project"));
    maker->setObjectName("maker");
    maker->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The page as a link, named as the Help menu names it.
    QString pageName = QString::fromUtf8(homePageCaption(language == LanguageDutch));
    pageName.remove(u'&');
    auto* page = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>")
                                .arg(homePage.toHtmlEscaped(), pageName.toHtmlEscaped()));
    page->setObjectName("page");
    page->setTextFormat(Qt::RichText);
    page->setOpenExternalLinks(true);
    page->setToolTip(homePage);

    auto* rate = new QLabel(text("Vindt u Sonoplexer handig? Laat het ons weten en geef het "
                                 "programma een waardering op de website.",
                                 "Do you find Sonoplexer useful? Let us know, and please rate the "
                                 "program on the website."));
    rate->setObjectName("rate");
    rate->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* words = new QVBoxLayout;
    words->addWidget(name);
    words->addWidget(maker);
    words->addWidget(page);
    words->addSpacing(8);
    words->addWidget(rate);
    words->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addWidget(picture);
    row->addSpacing(12);
    row->addLayout(words, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    setFixedWidth(460);
}

} // namespace sono
