// SPDX-License-Identifier: MIT
// The window's languages: which one the system's list chooses, the texts of the window in
// English and German, Qt's own buttons, and a pseudo-language that shows every text the window
// takes from a translation, so that one it shows untranslated stands out.
#include "shell/translations.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>

#include "camera/distance_warning.h"
#include "camera/height_table.h"
#include "camera/modify_warning.h"
#include "patcher/patch_run.h"
#include "patcher/read_only_prompt.h"
#include "shell/core_texts.h"
#include "shell/gauges/gauge_widget.h"
#include "shell/window/location_page.h"
#include "window_fixture.h"

namespace orvendel {
namespace {

TEST(ChooseLanguage, TakesTheFirstSystemLanguageThatIsEnglishOrTranslated) {
    const QStringList available{"de", "es", "fr", "it", "pl"};
    struct Row {
        const char* name;
        QStringList system;
        QString chosen;
    };
    const Row rows[] = {
        {"a translated language with its region", {"de-DE", "en-US"}, "de"},
        {"an underscore tag", {"pl_PL"}, "pl"},
        {"upper-case language", {"FR-CA"}, "fr"},
        {"English before a translated one", {"en-GB", "de-DE"}, "en"},
        {"an untranslated language skipped", {"nl-NL", "it-IT", "en"}, "it"},
        {"nothing that matches", {"nl-NL", "pt-BR"}, "en"},
        {"an empty list", {}, "en"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(chooseLanguage(row.system, available), row.chosen);
    }
}

TEST(TranslatedLanguages, AreTheFiveBuiltIntoTheProgram) {
    EXPECT_EQ(translatedLanguages(), (QStringList{"de", "es", "fr", "it", "pl"}));
}

TEST(QtTranslations, GiveQtsOwnButtonsTheLanguage) {
    const auto translators = installTranslations("de");
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().remove('&'), "Abbrechen");
}

// The core's texts that the window shows, taken from the core itself, each translated in every
// language (so a text changed in the core without its translation is found).
TEST(CoreTexts, EveryFixedTextTheWindowShowsHasATranslationInEveryLanguage) {
    std::vector<std::string_view> texts{modifyWarningText(ModifyWarning::DelKeyAngle),
                                        modifyWarningText(ModifyWarning::DriveZoom),
                                        kStatusLoading,
                                        kStatusModifying,
                                        kStatusUnknownVersion,
                                        kStatusLoaded,
                                        kStatusModified,
                                        kStatusNothingToWrite,
                                        kReadOnlyQuestion,
                                        kRestoreTitle,
                                        kDistanceWarningText};
    for (Camera camera : {Camera::ChaseTopDown, Camera::Drive})
        for (int i = 0; i < kHeightItemCount; ++i)
            if (heightCaption(camera, i).find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") !=
                std::string_view::npos)
                texts.push_back(heightCaption(camera, i));
    for (const char* language : {"de", "es", "fr", "it", "pl"}) {
        const auto translators = installTranslations(language);
        for (std::string_view text : texts) {
            SCOPED_TRACE(std::string(language) + ": " + std::string(text));
            EXPECT_NE(windowText(text), QString::fromUtf8(text.data(), qsizetype(text.size())));
        }
    }
}

class TranslatedWindowTest : public MainWindowFixture {
protected:
    void openIn(const QString& language) {
        translators_ = installTranslations(language);
        open(files.executable(0));
    }
    void TearDown() override {
        window.reset();
        translators_.clear();
        MainWindowFixture::TearDown();
    }
    QString text(const char* name) {
        if (auto* label = window->findChild<QLabel*>(name))
            return label->text();
        if (auto* frame = window->findChild<QGroupBox*>(name))
            return frame->title();
        return find<QPushButton>(name)->text();
    }

private:
    std::vector<std::unique_ptr<QTranslator>> translators_;
};

TEST_F(TranslatedWindowTest, EnglishKeepsTheWindowsOwnTextsByteForByte) {
    openIn("en");
    EXPECT_EQ(window->windowTitle(), "Orvendel Version H");
    EXPECT_EQ(text("Label16"),
              "Please verify the location of your Neverwinter Nights installation.  If the "
              "location of NWMAIN.EXE listed below is incorrect, please use the Browse button to "
              "find it.");
    EXPECT_EQ(text("Next1"), "Next >");
    click("Next1");
    EXPECT_EQ(text("ApplyButton"), "Modify NWN");
    EXPECT_EQ(text("Frame3"), "Chase and Top Down Camera Settings");
    EXPECT_EQ(text("BiowareBtn"), "Bioware Defaults");
}

TEST_F(TranslatedWindowTest, GermanSpeaksGermanOnBothPages) {
    openIn("de");
    EXPECT_EQ(text("Next1"), "Weiter >");
    EXPECT_EQ(text("Command2"), "Abbrechen");
    click("Next1");
    EXPECT_EQ(text("ApplyButton"), "NWN ändern");
    EXPECT_EQ(text("Frame2"), "Fahrkamera-Modus");
    EXPECT_EQ(text("BiowareBtn"), "Bioware-Standard");
}

// Wraps every text of the program's own contexts in « and »; Qt's own texts stay as they are.
class PseudoTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override {
        if (QByteArray(context).startsWith("orvendel::"))
            return QStringLiteral("«") + QString::fromUtf8(source) + QStringLiteral("»");
        return {};
    }
    bool isEmpty() const override { return false; }
};

// Every text `root` and its children show or tell a screen reader, with the widget's name.
QStringList shownTexts(const QWidget* root) {
    QStringList texts;
    QList<const QWidget*> widgets{root};
    for (const QWidget* child : root->findChildren<QWidget*>())
        widgets << child;
    for (const QWidget* w : widgets) {
        if (!w->isVisibleTo(root) && w != root)
            continue;
        QStringList own{w->toolTip(), w->accessibleName(), w->accessibleDescription()};
        if (w->isWindow())
            own << w->windowTitle();
        if (auto* label = qobject_cast<const QLabel*>(w))
            own << label->text();
        if (auto* button = qobject_cast<const QAbstractButton*>(w))
            own << button->text();
        if (auto* frame = qobject_cast<const QGroupBox*>(w))
            own << frame->title();
        if (auto* list = qobject_cast<const QComboBox*>(w))
            for (int i = 0; i < list->count(); ++i)
                own << list->itemText(i);
        if (auto* gauge = qobject_cast<const GaugeWidget*>(w))
            for (const DrawnText& drawn : gauge->drawnTexts())
                own << drawn.text;
        for (const QString& text : own)
            texts << w->objectName() + QStringLiteral(": ") + text;
    }
    return texts;
}

TEST_F(MainWindowFixture, PseudoLanguageFindsNoUntranslatedTextInTheWindow) {
    PseudoTranslator pseudo;
    QCoreApplication::installTranslator(&pseudo);
    open(MainWindow::LocatedGames({}, LocationPage::notFoundNote("~/.wine")));
    QStringList texts = shownTexts(window.get());
    window.reset();
    open(files.executable(1));
    click("Next1");
    texts << shownTexts(window.get()) << shownTexts(window->progressWindow());

    // Tick values, bare heights in metres and the like carry no words to translate.
    const QRegularExpression wordless(QStringLiteral("^[^:]*: [-+0-9.,\\s]*m?$"));
    QStringList untranslated;
    for (const QString& text : texts) {
        if (!text.contains(QStringLiteral("«")) && !wordless.match(text).hasMatch())
            untranslated << text;
    }
    EXPECT_TRUE(untranslated.isEmpty()) << untranslated.join(QLatin1Char('\n')).toStdString();
    window.reset();
    QCoreApplication::removeTranslator(&pseudo);
}

}  // namespace
}  // namespace orvendel
