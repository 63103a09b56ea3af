#include "designer/htmlentities.h"

#include <QHash>
#include <QString>

namespace korvel {

namespace {

// U+00A0 to U+00FF in order.
const char *const kLatin1Names[96] = {
    "nbsp", "iexcl", "cent", "pound", "curren", "yen", "brvbar", "sect", "uml", "copy", "ordf", "laquo",
    "not", "shy", "reg", "macr", "deg", "plusmn", "sup2", "sup3", "acute", "micro", "para", "middot",
    "cedil", "sup1", "ordm", "raquo", "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",
    "Atilde", "Auml", "Aring", "AElig", "Ccedil", "Egrave", "Eacute", "Ecirc", "Euml", "Igrave", "Iacute",
    "Icirc", "Iuml", "ETH", "Ntilde", "Ograve", "Oacute", "Ocirc", "Otilde", "Ouml", "times", "Oslash",
    "Ugrave", "Uacute", "Ucirc", "Uuml", "Yacute", "THORN", "szlig", "agrave", "aacute", "acirc", "atilde",
    "auml", "aring", "aelig", "ccedil", "egrave", "eacute", "ecirc", "euml", "igrave", "iacute", "icirc",
    "iuml", "eth", "ntilde", "ograve", "oacute", "ocirc", "otilde", "ouml", "divide", "oslash", "ugrave",
    "uacute", "ucirc", "uuml", "yacute", "thorn", "yuml"};

struct Named {
    const char *name;
    char32_t c;
};

// Markup characters and the names of the other HTML 4 characters.
const Named kOtherNames[] = {
    {"quot", 34}, {"QUOT", 34}, {"amp", 38}, {"AMP", 38}, {"apos", 39}, {"lt", 60}, {"LT", 60}, {"gt", 62},
    {"GT", 62}, {"COPY", 169}, {"REG", 174}, {"OElig", 338}, {"oelig", 339}, {"Scaron", 352},
    {"scaron", 353}, {"Yuml", 376}, {"fnof", 402}, {"circ", 710}, {"tilde", 732}, {"Alpha", 913},
    {"Beta", 914}, {"Gamma", 915}, {"Delta", 916}, {"Epsilon", 917}, {"Zeta", 918}, {"Eta", 919},
    {"Theta", 920}, {"Iota", 921}, {"Kappa", 922}, {"Lambda", 923}, {"Mu", 924}, {"Nu", 925}, {"Xi", 926},
    {"Omicron", 927}, {"Pi", 928}, {"Rho", 929}, {"Sigma", 931}, {"Tau", 932}, {"Upsilon", 933},
    {"Phi", 934}, {"Chi", 935}, {"Psi", 936}, {"Omega", 937}, {"alpha", 945}, {"beta", 946},
    {"gamma", 947}, {"delta", 948}, {"epsilon", 949}, {"zeta", 950}, {"eta", 951}, {"theta", 952},
    {"iota", 953}, {"kappa", 954}, {"lambda", 955}, {"mu", 956}, {"nu", 957}, {"xi", 958},
    {"omicron", 959}, {"pi", 960}, {"rho", 961}, {"sigmaf", 962}, {"sigma", 963}, {"tau", 964},
    {"upsilon", 965}, {"phi", 966}, {"chi", 967}, {"psi", 968}, {"omega", 969}, {"thetasym", 977},
    {"upsih", 978}, {"piv", 982}, {"ensp", 8194}, {"emsp", 8195}, {"thinsp", 8201}, {"zwnj", 8204},
    {"zwj", 8205}, {"lrm", 8206}, {"rlm", 8207}, {"ndash", 8211}, {"mdash", 8212}, {"lsquo", 8216},
    {"rsquo", 8217}, {"sbquo", 8218}, {"ldquo", 8220}, {"rdquo", 8221}, {"bdquo", 8222}, {"dagger", 8224},
    {"Dagger", 8225}, {"bull", 8226}, {"hellip", 8230}, {"permil", 8240}, {"prime", 8242},
    {"Prime", 8243}, {"lsaquo", 8249}, {"rsaquo", 8250}, {"oline", 8254}, {"frasl", 8260},
    {"euro", 8364}, {"image", 8465}, {"weierp", 8472}, {"real", 8476}, {"trade", 8482},
    {"alefsym", 8501}, {"larr", 8592}, {"uarr", 8593}, {"rarr", 8594}, {"darr", 8595}, {"harr", 8596},
    {"crarr", 8629}, {"lArr", 8656}, {"uArr", 8657}, {"rArr", 8658}, {"dArr", 8659}, {"hArr", 8660},
    {"forall", 8704}, {"part", 8706}, {"exist", 8707}, {"empty", 8709}, {"nabla", 8711}, {"isin", 8712},
    {"notin", 8713}, {"ni", 8715}, {"prod", 8719}, {"sum", 8721}, {"minus", 8722}, {"lowast", 8727},
    {"radic", 8730}, {"prop", 8733}, {"infin", 8734}, {"ang", 8736}, {"and", 8743}, {"or", 8744},
    {"cap", 8745}, {"cup", 8746}, {"int", 8747}, {"there4", 8756}, {"sim", 8764}, {"cong", 8773},
    {"asymp", 8776}, {"ne", 8800}, {"equiv", 8801}, {"le", 8804}, {"ge", 8805}, {"sub", 8834},
    {"sup", 8835}, {"nsub", 8836}, {"sube", 8838}, {"supe", 8839}, {"oplus", 8853}, {"otimes", 8855},
    {"perp", 8869}, {"sdot", 8901}, {"lceil", 8968}, {"rceil", 8969}, {"lfloor", 8970},
    {"rfloor", 8971}, {"loz", 9674}, {"spades", 9824}, {"clubs", 9827}, {"hearts", 9829},
    {"diams", 9830}};

// Windows-1252 0x80-0x9F; 0 where the code page leaves the byte undefined.
const char16_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,
    0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161,
    0x203A, 0x0153, 0, 0x017E, 0x0178};

struct Tables {
    QHash<QString, char32_t> byName;
    QHash<QString, bool> legacy;
    Tables()
    {
        for (int i = 0; i < 96; ++i) {
            byName.insert(QLatin1String(kLatin1Names[i]), char32_t(160 + i));
            legacy.insert(QLatin1String(kLatin1Names[i]), true);
        }
        for (const Named &n : kOtherNames) {
            byName.insert(QLatin1String(n.name), n.c);
            if (n.c < 160 || n.c == 169 || n.c == 174)
                legacy.insert(QLatin1String(n.name), n.c != 39); // "&apos" needs its ";"
        }
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

} // namespace

char32_t NamedEntityChar(QStringView name)
{
    return tables().byName.value(name.toString(), 0);
}

bool IsLegacyEntityName(QStringView name)
{
    return tables().legacy.value(name.toString(), false);
}

char32_t NumericReferenceChar(quint32 value)
{
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0xFFFD;
    if (value >= 0x80 && value <= 0x9F && kCp1252High[value - 0x80] != 0)
        return kCp1252High[value - 0x80];
    return value;
}

int Windows1252Byte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return int(c);
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] != 0 && kCp1252High[i] == c)
            return 0x80 + i;
    }
    return -1;
}

} // namespace korvel
