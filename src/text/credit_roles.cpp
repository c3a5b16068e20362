#include "text/credit_roles.h"

namespace okuzuke {

using enum RoleAction;

// " 編［" (the row before "その他") removes the bracket with the word, so a
// reading that follows it stays glued to the name.
const std::array<CreditRole, 52> kCreditRoles{{
    // clang-format off
    {"\x92\x98\x8E\xD2", kRemove, '1', ""},  // "著者"
    {"\x95\xD2\x81\x45\x92\x98", kRemove, '9', "[\x95\xD2\x81\x45\x92\x98]"},  // "編・著"  "[編・著]"
    {"\x95\xD2\x92\x98", kRemove, '9', "[\x95\xD2\x92\x98]"},  // "編著"  "[編著]"
    {"\x81\x8F\x92\x98 ", kRemove, '1', ""},  // "￥著 "
    {"\x92\x98\x81\x8F", kRemove, '1', ""},  // "著￥"
    {"\x92\x98\x81\x6D", kToBracket, '1', ""},  // "著［"
    {"\x96\x9F\x89\xE6", kRemove, '1', ""},  // "漫画"
    {"\x81\x8F\x89\xE6 ", kRemove, '1', ""},  // "￥画 "
    {" \x89\xE6\x81\x8F", kRemove, '1', ""},  // " 画￥"
    {"\x83\x43\x83\x89\x83\x58\x83\x67/\x8D\xEC\x89\xE6", kRemove, '2', ""},  // "イラスト/作画"
    {"\x8D\xEC\x89\xE6", kRemove, '1', ""},  // "作画"
    {"\x8F\xAC\x90\xE0", kRemove, '1', ""},  // "小説"
    {"(\x95\xB6)", kRemove, '1', ""},  // "(文)"
    {"(\x92\x98)", kRemove, '1', ""},  // "(著)"
    {"\x81\x79\x92\x98\x81\x7A", kRemove, '1', ""},  // "【著】"
    {"\x89\xE6\x81\x6D", kToBracket, '1', ""},  // "画［"
    {"\x8C\xB4\x8D\xEC\x8E\xD2", kRemove, '2', ""},  // "原作者"
    {"\x8C\xB4\x8D\xEC", kRemove, '2', ""},  // "原作"
    {"\x81\x8F\x8D\xEC ", kRemove, '2', ""},  // "￥作 "
    {" \x8D\xEC\x81\x8F", kRemove, '2', ""},  // " 作￥"
    {"\x8D\xEC\x81\x6D", kToBracket, '2', ""},  // "作［"
    {"\x83\x43\x83\x89\x83\x58\x83\x67", kRemove, '2', ""},  // "イラスト"
    {"\x81\x8F\x83\x43 ", kRemove, '2', ""},  // "￥イ "
    {"\x83\x43\x81\x6D", kToBracket, '2', ""},  // "イ［"
    {"(\x89\xE6)", kRemove, '2', ""},  // "(画)"
    {"(\x8A\x47)", kRemove, '2', ""},  // "(絵)"
    {"\x8E\xB7\x95\x4D", kRemove, '3', " [\x8E\xB7\x95\x4D]"},  // "執筆"  " [執筆]"
    {"\x8B\x72\x96\x7B", kRemove, '3', " [\x8B\x72\x96\x7B]"},  // "脚本"  " [脚本]"
    {"\x83\x56\x83\x69\x83\x8A\x83\x49", kRemove, '3', " [\x83\x56\x83\x69\x83\x8A\x83\x49]"},  // "シナリオ"  " [シナリオ]"
    {"\x83\x4C\x83\x83\x83\x89\x83\x4E\x83\x5E\x81\x5B\x8C\xB4\x88\xC4", kRemove, '3', " [\x83\x4C\x83\x83\x83\x89\x83\x4E\x83\x5E\x81\x5B\x8C\xB4\x88\xC4]"},  // "キャラクター原案"  " [キャラクター原案]"
    {"\x83\x58\x83\x67\x81\x5B\x83\x8A\x81\x5B\x8C\xB4\x88\xC4", kRemove, '3', " [\x83\x58\x83\x67\x81\x5B\x83\x8A\x81\x5B\x8C\xB4\x88\xC4]"},  // "ストーリー原案"  " [ストーリー原案]"
    {"\x8C\xB4\x88\xC4", kRemove, '3', " [\x8C\xB4\x88\xC4]"},  // "原案"  " [原案]"
    {"\x81\x8F\x88\xC4 ", kRemove, '3', " [\x88\xC4]"},  // "￥案 "  " [案]"
    {"\x88\xC4\x81\x6D", kToBracket, '3', " [\x88\xC4]"},  // "案［"  " [案]"
    {"\x8A\xC4\x8F\x43\x91\xBC", kRemove, '4', " [\x8A\xC4\x8F\x43\x91\xBC]"},  // "監修他"  " [監修他]"
    {"\x8A\xC4\x8F\x43", kRemove, '4', " [\x8A\xC4\x8F\x43]"},  // "監修"  " [監修]"
    {"\x8A\xC4\x96\xF3", kRemove, '4', " [\x8A\xC4\x96\xF3]"},  // "監訳"  " [監訳]"
    {"\x96\x7C\x96\xF3", kRemove, '5', " [\x96\x7C\x96\xF3]"},  // "翻訳"  " [翻訳]"
    {"\x81\x8F\x96\xF3 ", kRemove, '5', " [\x96\xF3]"},  // "￥訳 "  " [訳]"
    {"\x96\xF3\x81\x8F", kRemove, '5', " [\x96\xF3]"},  // "訳￥"  " [訳]"
    {"(\x96\xF3)", kRemove, '5', " [\x96\xF3]"},  // "(訳)"  " [訳]"
    {"\x96\xF3\x81\x6D", kToBracket, '5', " [\x96\xF3]"},  // "訳［"  " [訳]"
    {"\x89\xF0\x90\xE0", kRemove, '9', " [\x89\xF0\x90\xE0]"},  // "解説"  " [解説]"
    {"\x90\xD3\x94\x43\x95\xD2\x8F\x57", kRemove, '9', " [\x90\xD3\x94\x43\x95\xD2\x8F\x57]"},  // "責任編集"  " [責任編集]"
    {"\x8D\x5C\x90\xAC\x81\x45\x95\xD2\x8F\x57", kRemove, '9', " [\x8D\x5C\x90\xAC\x81\x45\x95\xD2\x8F\x57]"},  // "構成・編集"  " [構成・編集]"
    {"\x81\x8F\x95\xD2\x8F\x57 ", kRemove, '9', " [\x95\xD2\x8F\x57]"},  // "￥編集 "  " [編集]"
    {"\x95\xD2\x8F\x57\x81\x8F", kRemove, '9', " [\x95\xD2\x8F\x57]"},  // "編集￥"  " [編集]"
    {"\x81\x8F\x95\xD2 ", kRemove, '9', " [\x95\xD2]"},  // "￥編 "  " [編]"
    {" \x95\xD2\x81\x8F", kRemove, '9', " [\x95\xD2]"},  // " 編￥"  " [編]"
    {"(\x95\xD2)", kRemove, '9', " [\x95\xD2]"},  // "(編)"  " [編]"
    {" \x95\xD2\x81\x6D", kRemove, '9', " [\x95\xD2]"},  // " 編［"  " [編]"
    {"\x82\xBB\x82\xCC\x91\xBC", kRemove, '9', "\x82\xBB\x82\xCC\x91\xBC"},  // "その他"  "その他"
    // clang-format on
}};

}  // namespace okuzuke
