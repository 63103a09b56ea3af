// The inspector's text rules: the stop tag, and which field changes become which writes.
#include "designer/inspectorfields.h"

#include <gtest/gtest.h>

using namespace korvel;
using namespace Qt::StringLiterals;

TEST(InspectorFields, theStopTagIsTheKeptElementsWholeTagName)
{
    const std::pair<QString, QString> cases[] = {
        {QString(), u"TABLE"_s},
        {u"<table border=\"1\"><tr>"_s, u"TABLE"_s},
        {u"<td>x</td>"_s, u"TD"_s},
        {u"<tbody><tr>"_s, u"TBODY"_s},   // not "TB"
        {u"<textarea>"_s, u"TEXTAREA"_s}, // not "TE"
        {u"<p/>"_s, u"P"_s},
        {u"<>"_s, u"TABLE"_s},
    };
    for (const auto &[kept, stop] : cases)
        EXPECT_EQ(stopTagOf(kept), stop) << kept.toStdString();
}

TEST(InspectorFields, onlyChangedFieldsAreWrittenAndABadNumberStopsTheWhole)
{
    const QList<FieldBinding> cell = fieldBindings(InspectKind::Cell);
    const QHash<QString, QString> shown = {{u"Edit1"_s, u"10"_s}, {u"Edit3"_s, u"1"_s}, {u"Edit4"_s, u"1"_s},
                                           {u"EditColor"_s, u"#FFFFFF"_s}};
    const auto with = [&](std::initializer_list<std::pair<const char *, const char *>> changes) {
        QHash<QString, QString> edited = shown;
        for (const auto &[field, text] : changes)
            edited.insert(QLatin1String(field), QLatin1String(text));
        return planEdits(cell, shown, edited);
    };
    EXPECT_EQ(with({}), QList<AttributeEdit>{});
    EXPECT_EQ(with({{"Edit3", " 3 "}, {"EditColor", ""}}),
              (QList<AttributeEdit>{{u"colspan"_s, FieldAccess::Attribute, u"3"_s},
                                    {u"bgcolor"_s, FieldAccess::Attribute, std::nullopt}}));
    for (const char *bad : {"", "x", "0", "1001", "2.5", "-1", "99999999999"})
        EXPECT_FALSE(with({{"Edit1", "20"}, {"Edit3", bad}}).has_value()) << bad;
    EXPECT_EQ(with({{"Edit4", "0"}}), (QList<AttributeEdit>{{u"rowspan"_s, FieldAccess::Attribute, u"0"_s}}));

    // A flag field sets or removes its attribute; a shown-only field is never written.
    const QList<FieldBinding> frame = fieldBindings(InspectKind::Frame);
    EXPECT_EQ(planEdits(frame, {{u"ComboBox1"_s, u"False"_s}}, {{u"ComboBox1"_s, u"True"_s}}),
              (QList<AttributeEdit>{{u"noresize"_s, FieldAccess::Flag, QString()}}));
    EXPECT_EQ(planEdits(frame, {{u"ComboBox1"_s, u"True"_s}}, {{u"ComboBox1"_s, u"False"_s}}),
              (QList<AttributeEdit>{{u"noresize"_s, FieldAccess::Flag, std::nullopt}}));
    EXPECT_EQ(planEdits(fieldBindings(InspectKind::Input), {{u"Edit6"_s, u"text"_s}}, {{u"Edit6"_s, u"radio"_s}}),
              QList<AttributeEdit>{});
}

TEST(InspectorFields, theKindFollowsTheTagAndTheLinkKindTheAddress)
{
    EXPECT_EQ(inspectKindFor(u"span"_s), InspectKind::Block);
    EXPECT_EQ(inspectKindFor(u"IFRAME"_s), InspectKind::IFrame);
    EXPECT_EQ(inspectKindFor(u"EM"_s), InspectKind::Other);
    EXPECT_EQ(linkKindOfAddress(u"MAILTO:a@b.de"_s), 1);
    EXPECT_EQ(linkKindOfAddress(u"#top"_s), 2);
    EXPECT_EQ(linkKindOfAddress(u"page.html#top"_s), 0);
}
