#include "StoreFixture.h"

#include "store/TemplateStore.h"

using namespace tagwright;
using namespace tagwright::store;
namespace labels = tagwright::store::schema::labels;

namespace {

class TemplateStoreTest : public test::MainStoreTest {
protected:
    void SetUp() override
    {
        MainStoreTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        TableCursor cursor;
        ASSERT_TRUE(cursor.open(db, schema::LabelsTable).ok());
        ASSERT_TRUE(addLabel(cursor, QStringLiteral("Annual"), QStringLiteral("Inspected.")).ok());
        ASSERT_TRUE(addLabel(cursor, QVariant()).ok());
        ASSERT_TRUE(addLabel(cursor, QStringLiteral("Oil Change")).ok());
    }

    Template loaded(const QString& title)
    {
        const Result<std::optional<qint64>> id = templates.find(title);
        EXPECT_TRUE(id.ok() && *id) << title.toStdString();
        const Result<Template> stored = templates.load(id.ok() && *id ? **id : -1);
        EXPECT_TRUE(stored.ok()) << stored.error().describe().toStdString();
        return stored.ok() ? *stored : Template();
    }

    TemplateStore templates{db};
};

TEST_P(TemplateStoreTest, titlesComeInCardOrderAndATitleIsFoundWhateverItsLetterCase)
{
    const Result<QVector<TemplateTitle>> titles = templates.titles();
    ASSERT_TRUE(titles.ok());
    ASSERT_EQ(titles->size(), 3);
    EXPECT_EQ((*titles)[0].title.toString(), "Annual");
    EXPECT_TRUE((*titles)[1].title.isNull());
    EXPECT_EQ((*titles)[2].title.toString(), "Oil Change");
    EXPECT_LT((*titles)[0].id, (*titles)[2].id);

    EXPECT_EQ(*templates.find(QStringLiteral("OIL change")), (*titles)[2].id);
    EXPECT_FALSE(*templates.find(QStringLiteral("Brakes")));
}

TEST_P(TemplateStoreTest, aTemplateReadsWithDefaultsAndASaveWritesAllThirteenFields)
{
    const Template bare = templates.load(templates.titles()->at(1).id).value();
    EXPECT_EQ(bare.title, "");
    EXPECT_EQ(bare.fontName, "MS Sans Serif");
    EXPECT_FLOAT_EQ(bare.fontSize, 8.25f);
    EXPECT_TRUE(bare.bold);
    EXPECT_FALSE(bare.printsCompany);
    EXPECT_EQ(bare.fontNamed, Template::FontNamed::None);
    EXPECT_EQ(bare.captions, (std::array<QString, 6>{}));

    Template changed = bare;
    changed.captions = {"Reg #", "Make", "Serial", "Tach", "T.T.", "SMOH"};
    changed.printsSignature = true;
    changed.logo = QStringLiteral("/logos/shop.bmp");
    const Result<Template> saved = templates.save(changed, AllTemplateParts);
    ASSERT_TRUE(saved.ok()) << saved.error().describe().toStdString();
    EXPECT_EQ(saved->captions, changed.captions);
    EXPECT_EQ(saved->fontNamed, Template::FontNamed::Fully);
    EXPECT_NE(saved->key.version, bare.key.version);

    TableCursor check;
    ASSERT_TRUE(check.open(db, schema::LabelsTable).ok());
    check.moveNext();
    EXPECT_EQ(check.value(labels::LeftTop).toString(), "Reg #");
    EXPECT_EQ(check.value(labels::LabelBottom).toString(), "SMOH");
    EXPECT_EQ(check.value(labels::Header).toInt(), 0);  // written, not left missing
    EXPECT_EQ(check.value(labels::Logo).toString(), "/logos/shop.bmp");
    EXPECT_TRUE(check.value(labels::Description).isNull());
}

TEST_P(TemplateStoreTest, aSaveWritesOnlyItsPartsAndOnlyOverTheVersionRead)
{
    Template annual = loaded(QStringLiteral("Annual"));
    annual.body = QStringLiteral("not written");
    annual.fontName = QStringLiteral("Arial");
    const Result<Template> fontOnly = templates.save(annual, TemplatePart::Font);
    ASSERT_TRUE(fontOnly.ok());
    EXPECT_EQ(fontOnly->body, "Inspected.");
    EXPECT_EQ(fontOnly->fontName, "Arial");

    // The version read before that write is out of date: nothing is written over it.
    EXPECT_EQ(templates.save(annual, TemplatePart::Body).error().number, ChangedMeanwhile);
    EXPECT_EQ(templates.remove(annual.key).number, ChangedMeanwhile);
    EXPECT_EQ(loaded(QStringLiteral("Annual")).body, "Inspected.");

    ASSERT_TRUE(templates.remove(fontOnly->key).ok());
    EXPECT_EQ(templates.load(annual.key.id).error().number, DeletedMeanwhile);
    EXPECT_EQ(templates.save(*fontOnly, TemplatePart::Body).error().number, DeletedMeanwhile);
}

TEST_P(TemplateStoreTest, anAddedTemplateIsTheLastAndATakenTitleIsRefused)
{
    Template fresh;
    fresh.title = QStringLiteral("Magneto");
    fresh.body = QStringLiteral("Timed.");
    const Result<Template> added = templates.add(fresh, TemplateParts(TemplatePart::Title) | TemplatePart::Body);
    ASSERT_TRUE(added.ok());
    EXPECT_EQ(templates.titles()->last().id, added->key.id);
    EXPECT_EQ(added->fontNamed, Template::FontNamed::None);  // only its parts were written

    fresh.title = QStringLiteral("ANNUAL");
    EXPECT_EQ(templates.add(fresh, AllTemplateParts).error().number, DuplicateKey);
    Template renamed = *added;
    renamed.title = QStringLiteral("oil change");
    EXPECT_EQ(templates.save(renamed, TemplatePart::Title).error().number, DuplicateKey);
}

TEST(BodyLineBreaks, storeAsCrLfAndShowAsNewline)
{
    EXPECT_EQ(storedBody("one\ntwo\n"), "one\r\ntwo\r\n");
    EXPECT_EQ(shownBody("one\r\ntwo\rthree"), "one\ntwo\nthree");
}

TAGWRIGHT_ON_BOTH_ENGINES(TemplateStoreTest);

}  // namespace
