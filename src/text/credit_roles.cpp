#include "text/credit_roles.h"
#include "text/sjis_literal.h"

namespace okuzuke {

using enum RoleAction;

// A role word written just before a reading ("山田 作［やまだ］") becomes the
// bracket itself, so the reading stays apart from the name.
const std::array<CreditRole, 52> kCreditRoles{{
    // clang-format off
    {"著者"_sjis, kRemove, '1', ""},
    {"編・著"_sjis, kRemove, '9', "[編・著]"_sjis},
    {"編著"_sjis, kRemove, '9', "[編著]"_sjis},
    {"￥著 "_sjis, kRemove, '1', ""},
    {"著￥"_sjis, kRemove, '1', ""},
    {"著［"_sjis, kToBracket, '1', ""},
    {"漫画"_sjis, kRemove, '1', ""},
    {"￥画 "_sjis, kRemove, '1', ""},
    {" 画￥"_sjis, kRemove, '1', ""},
    {"イラスト/作画"_sjis, kRemove, '2', ""},
    {"作画"_sjis, kRemove, '1', ""},
    {"小説"_sjis, kRemove, '1', ""},
    {"(文)"_sjis, kRemove, '1', ""},
    {"(著)"_sjis, kRemove, '1', ""},
    {"【著】"_sjis, kRemove, '1', ""},
    {"画［"_sjis, kToBracket, '1', ""},
    {"原作者"_sjis, kRemove, '2', ""},
    {"原作"_sjis, kRemove, '2', ""},
    {"￥作 "_sjis, kRemove, '2', ""},
    {" 作￥"_sjis, kRemove, '2', ""},
    {"作［"_sjis, kToBracket, '2', ""},
    {"イラスト"_sjis, kRemove, '2', ""},
    {"￥イ "_sjis, kRemove, '2', ""},
    {"イ［"_sjis, kToBracket, '2', ""},
    {"(画)"_sjis, kRemove, '2', ""},
    {"(絵)"_sjis, kRemove, '2', ""},
    {"執筆"_sjis, kRemove, '3', " [執筆]"_sjis},
    {"脚本"_sjis, kRemove, '3', " [脚本]"_sjis},
    {"シナリオ"_sjis, kRemove, '3', " [シナリオ]"_sjis},
    {"キャラクター原案"_sjis, kRemove, '3', " [キャラクター原案]"_sjis},
    {"ストーリー原案"_sjis, kRemove, '3', " [ストーリー原案]"_sjis},
    {"原案"_sjis, kRemove, '3', " [原案]"_sjis},
    {"￥案 "_sjis, kRemove, '3', " [案]"_sjis},
    {"案［"_sjis, kToBracket, '3', " [案]"_sjis},
    {"監修他"_sjis, kRemove, '4', " [監修他]"_sjis},
    {"監修"_sjis, kRemove, '4', " [監修]"_sjis},
    {"監訳"_sjis, kRemove, '4', " [監訳]"_sjis},
    {"翻訳"_sjis, kRemove, '5', " [翻訳]"_sjis},
    {"￥訳 "_sjis, kRemove, '5', " [訳]"_sjis},
    {"訳￥"_sjis, kRemove, '5', " [訳]"_sjis},
    {"(訳)"_sjis, kRemove, '5', " [訳]"_sjis},
    {"訳［"_sjis, kToBracket, '5', " [訳]"_sjis},
    {"解説"_sjis, kRemove, '9', " [解説]"_sjis},
    {"責任編集"_sjis, kRemove, '9', " [責任編集]"_sjis},
    {"構成・編集"_sjis, kRemove, '9', " [構成・編集]"_sjis},
    {"￥編集 "_sjis, kRemove, '9', " [編集]"_sjis},
    {"編集￥"_sjis, kRemove, '9', " [編集]"_sjis},
    {"￥編 "_sjis, kRemove, '9', " [編]"_sjis},
    {" 編￥"_sjis, kRemove, '9', " [編]"_sjis},
    {"(編)"_sjis, kRemove, '9', " [編]"_sjis},
    {" 編［"_sjis, kToBracket, '9', " [編]"_sjis},
    {"その他"_sjis, kRemove, '9', "その他"_sjis},
    // clang-format on
}};

}  // namespace okuzuke
