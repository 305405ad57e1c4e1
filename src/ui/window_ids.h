#pragma once

// The name of every window: its objectName, its key in the forms registry and in the kept window
// places. Windows reach each other by these names only.
namespace ui::window {

inline constexpr char MainWindow[] = "frmMapEd";
inline constexpr char MapTexts[] = "frmTextEd";
inline constexpr char MapTextEntry[] = "frmTextEnter";
inline constexpr char MapLongTexts[] = "frmLTextEd";
inline constexpr char MapLongTextEntry[] = "frmLTextEnter";
inline constexpr char MapEncounter[] = "frmMapEnc";
inline constexpr char MapPicture[] = "frmMapBit";
inline constexpr char MapBrowser[] = "frmMapBrowser";
inline constexpr char SpecialEditor[] = "frmMapSpe";
inline constexpr char ItemEditor[] = "frmEquipEd";
inline constexpr char ItemList[] = "frmEquipList2";
inline constexpr char ItemEffects[] = "frmEquipEffect";
inline constexpr char EffectEditor[] = "frmEquipEffEd";
inline constexpr char ShopEditor[] = "frmShopEd";
inline constexpr char ShopItemAdd[] = "frmShopItemAdd";
inline constexpr char CreatureEditor[] = "frmCreatEd";
inline constexpr char CreatureList[] = "frmCreatList2";
inline constexpr char CreaturePicture[] = "frmCreatBit";
inline constexpr char CreatureSpecials[] = "frmCreatSpe";
inline constexpr char CreatureSpecialEditor[] = "frmCreatSpeEd";
inline constexpr char SpellEditor[] = "frmMagicEd";
inline constexpr char SpellList[] = "frmMagicList";
inline constexpr char SpellProgression[] = "frmMagicProg";
inline constexpr char WhereUsed[] = "frmWhereUsed";
inline constexpr char GameCheck[] = "frmGameCheck";

}  // namespace ui::window
