#include "Resources/BitmapRsrc.h"

#include <VTPlugInCommon/OrbiskImagesArtworkEtc.h>

namespace Vantrel {
namespace {

using Artwork = Orbisk::OrbiskImagesArtworkEtc;

struct NamedImage
{
    const char* name;
    wxBitmap (*getter)();
};

// Several names share one image; the first match wins, so order is kept.
const NamedImage kNamedImages[] = {
    {"icon_popup_menu_clicked.png", &Artwork::GetGearsArrowButton_Clicked},
    {"icon_popup_menu_disabled.png", &Artwork::GetGearsArrowButton_Disabled},
    {"icon_popup_menu_hover.png", &Artwork::GetGearsArrowButton_Hover},
    {"icon_popup_menu_std.png", &Artwork::GetGearsArrowButton_Standard},
    {"vt_nav_up.png", &Artwork::GetIcon_BlueArrowUp},
    {"icon_plus_std.png", &Artwork::GetIcon_BlueArrowUp},
    {"icon_plus_disabled.png", &Artwork::GetIcon_BlueArrowUp},
    {"icon_plus_hover.png", &Artwork::GetIcon_BlueArrowUp},
    {"vt_nav_down.png", &Artwork::GetIcon_BlueArrowDown},
    {"icon_minus_std.png", &Artwork::GetIcon_BlueArrowDown},
    {"icon_minus_disabled.png", &Artwork::GetIcon_BlueArrowDown},
    {"icon_minus_hover.png", &Artwork::GetIcon_BlueArrowDown},
    {"icon_add_normal.gif", &Artwork::GetIcon_GreenPlusNotRoundAddNormal},
    {"icon_add_hover.gif", &Artwork::GetIcon_GreenPlusNotRoundAddNormal},
    {"icon_add_disabled.gif", &Artwork::GetIcon_GreenPlusNotRoundAddDisabled},
    {"icon_edit_normal.gif", &Artwork::GetIcon_NotePadNotRoundEditNormal},
    {"icon_edit_disabled.gif", &Artwork::GetIcon_NotePadNotRoundEditDisabled},
    {"icon_edit_hover.gif", &Artwork::GetIcon_NotePadNotRoundEditHover},
    {"icon_delete_normal.gif", &Artwork::GetIcon_RedXNotRoundDeleteNormal},
    {"icon_delete_disabled.gif", &Artwork::GetIcon_RedXNotRoundDeleteDisabled},
    {"icon_delete_hover.gif", &Artwork::GetIcon_RedXNotRoundDeleteHover},
    {"icon_mru1_std.png", &Artwork::GetIcon_CircleNumberButton_1},
    {"icon_mru1_hover.png", &Artwork::GetIcon_CircleNumberButton_1_Hover},
    {"icon_mru2_std.png", &Artwork::GetIcon_CircleNumberButton_2},
    {"icon_mru2_hover.png", &Artwork::GetIcon_CircleNumberButton_2_Hover},
    {"icon_mru3_std.png", &Artwork::GetIcon_CircleNumberButton_3},
    {"icon_mru3_hover.png", &Artwork::GetIcon_CircleNumberButton_3_Hover},
    {"icon_mru4_std.png", &Artwork::GetIcon_CircleNumberButton_4},
    {"icon_mru4_hover.png", &Artwork::GetIcon_CircleNumberButton_4_Hover},
    {"icon_open_file_std.png", &Artwork::GetIcon_CircleButton_OpenFile},
    {"icon_open_file_hover.png", &Artwork::GetIcon_CircleButton_OpenFile_Hover},
    {"icon_question_mark_std.png", &Artwork::GetIcon_CircleButton_QuestionLink},
    {"icon_question_mark_hover.png", &Artwork::GetIcon_CircleButton_QuestionLink_Hover},
    {"icon_warning_std.png", &Artwork::GetIcon_YellowTriangleExclamationWarning},
    {"icon_warning_h12_std.png", &Artwork::GetIcon_YellowTriangleExclamationWarningTiny},
    {"icon_warning_h12_blank.png", &Artwork::GetIcon_YellowTriangleExclamationWarningTiny_Blank},
    {"icon_stimulus_lists_w100.png", &Artwork::LargeStimlistsIcon},
    {"icon_rules.png", &Artwork::LargeRulesIcon},
    {"icon_looping.png", &Artwork::GetIcon_LoopingBig},
    {"icon_looping_on.png", &Artwork::GetIcon_AaGLoopingOn},
    {"icon_looping_off.png", &Artwork::GetIcon_AaGLoopingOff},
    {"icon_randomize.png", &Artwork::GetIcon_RandomizeBig},
    {"icon_randomize_on.png", &Artwork::GetIcon_AaGRandomizeOn},
    {"icon_randomize_off.png", &Artwork::GetIcon_AaGRandomizeOff},
    {"icon_tags_on.png", &Artwork::GetIcon_AaGTagsOn},
    {"icon_tags_off.png", &Artwork::GetIcon_AaGTagsOff},
    {"btn_select_color_normal.png", &Artwork::GetIcon_TransparentColorSquare},
    {"btn_select_color_sel.png", &Artwork::GetIcon_TransparentColorSquareSelected},
    {"icon_tags_w100.png", &Artwork::GetIcon_MediumSizeTagImage},
    {"icon_feedback.png", &Artwork::GetIcon_FeedbackGraphic},
    {"icon_move_listitem_up_std.png", &Artwork::GetIcon_SmallArrowListMovementUp_Std},
    {"icon_move_listitem_up_clicked.png", &Artwork::GetIcon_SmallArrowListMovementUp_Clicked},
    {"icon_move_listitem_up_disabled.png", &Artwork::GetIcon_SmallArrowListMovementUp_Disabled},
    {"icon_move_listitem_up_hovered.png", &Artwork::GetIcon_SmallArrowListMovementUp_Hover},
    {"icon_move_listitem_down_std.png", &Artwork::GetIcon_SmallArrowListMovementDown_Std},
    {"icon_move_listitem_down_clicked.png", &Artwork::GetIcon_SmallArrowListMovementDown_Clicked},
    {"icon_move_listitem_down_disabled.png", &Artwork::GetIcon_SmallArrowListMovementDown_Disabled},
    {"icon_move_listitem_down_hovered.png", &Artwork::GetIcon_SmallArrowListMovementDown_Hover},
    {"icon_send_pulse.png", &Artwork::GetIconDigitalIO_SendPulse},
    {"icon_send_pulse_sel.png", &Artwork::GetIconDigitalIO_SendPulseSelected},
    {"icon_raise_lines.png", &Artwork::GetIconDigitalIO_RaiseLines},
    {"icon_raise_lines_sel.png", &Artwork::GetIconDigitalIO_RaiseLinesSelected},
    {"icon_lower_lines.png", &Artwork::GetIconDigitalIO_LowerLines},
    {"icon_lower_lines_sel.png", &Artwork::GetIconDigitalIO_LowerLinesSelected},
    {"stimlist_list_access/crossed_no_shuffle.png", &Artwork::GetIconListAccess_CrossedNoShuffle},
    {"stimlist_list_access/crossed_with_shuffle.png", &Artwork::GetIconListAccess_CrossedWithShuffle},
    {"stimlist_list_access/paired_no_shuffle.png", &Artwork::GetIconListAccess_PairedNoShuffle},
    {"stimlist_list_access/paired_with_shuffle.png", &Artwork::GetIconListAccess_PairedWithShuffle},
    {"stimlist_list_access/unpaired_no_shuffle.png", &Artwork::GetIconListAccess_UnpairedNoShuffle},
    {"stimlist_list_access/unpaired_with_shuffle.png", &Artwork::GetIconListAccess_UnpairedWithShuffle},
    {"icon_no_stimulus_list_w60.png", &Artwork::MediumStimlistsIcon_NoLists},
    {"icon_stimulus_lists_w60.png", &Artwork::MediumStimlistsIcon},
    {"pic_condition_moved.png", &Artwork::GetSmallBlueArrowPointingLeftward},
    {"icon_lb_delete_disabled.png", &Artwork::GetListboxSupportIcon_Delete_Disabled},
    {"icon_lb_delete_hover.png", &Artwork::GetListboxSupportIcon_Delete_Hover},
    {"icon_lb_delete_std.png", &Artwork::GetListboxSupportIcon_Delete_Basic},
    {"icon_lb_edit_disabled.png", &Artwork::GetListboxSupportIcon_Edit_Disabled},
    {"icon_lb_edit_std.png", &Artwork::GetListboxSupportIcon_Edit_Basic},
    {"icon_edit.png", &Artwork::GetListboxSupportIcon_Edit_Basic},
    {"icon_lb_gears_disabled.png", &Artwork::GetListboxSupportIcon_Gears_Disabled},
    {"icon_lb_gears_std.png", &Artwork::GetListboxSupportIcon_Gears_Basic},
    {"icon_lb_new_disabled.png", &Artwork::GetListboxSupportIcon_New_NoDrop_Disabled},
    {"icon_lb_new_dropdown_disabled.png", &Artwork::GetListboxSupportIcon_New_DropDown_Disabled},
    {"icon_lb_new_dropdown_std.png", &Artwork::GetListboxSupportIcon_New_DropDown_Basic},
    {"icon_lb_new_std.png", &Artwork::GetListboxSupportIcon_New_NoDrop_Basic},
    {"icon_delete_bw.gif", &Artwork::GetIcon_MinusButton},
    {"standin_gears_edit.png", &Artwork::GetIcon_RoughDraft_Standin_EditGears},
    {"icon_trial_level_color.png", &Artwork::GetIcon_TrialLvlColor},
    {"icon_trial_level_location.png", &Artwork::GetIcon_TrialLvlLocation},
    {"icon_trial_level_time_limit.png", &Artwork::GetIcon_TrialLvlTimeLimit},
    {"pic_leftward_arrow.png", &Artwork::GetLeftwardBlueArrow},
    {"pic_rightward_arrow.png", &Artwork::GetRightwardBlueArrow},
    {"icon_lb_move_dn_disabled.png", &Artwork::GetListboxSupportIcon_MoveDownDisabled},
    {"icon_lb_move_dn_std.png", &Artwork::GetListboxSupportIcon_MoveDownBasic},
    {"icon_lb_move_up_disabled.png", &Artwork::GetListboxSupportIcon_MoveUpDisabled},
    {"icon_lb_move_up_std.png", &Artwork::GetListboxSupportIcon_MoveUpBasic},
    {"icon_file.png", &Artwork::GetListboxSupportIcon_FileIcon},
    {"icon_file_duplicate.png", &Artwork::GetListboxSupportIcon_DuplicateFileIcon},
    {"icon_copy.png", &Artwork::GetIcon_ToolCopy},
    {"icon_copy_disabled.png", &Artwork::GetIcon_ToolCopyDisabled},
    {"icon_paste.png", &Artwork::GetIcon_ToolPaste},
    {"icon_paste_disabled.png", &Artwork::GetIcon_ToolPasteDisabled},
    {"keyboardkey.jpg", &Artwork::GetInputIcon_KeyboardSingleKey},
    {"in-Standard Mouse/standard_mouse.png", &Artwork::GetInputIcon_StandardMouse},
    {"vt4_about.gif", &Artwork::GetAboutPopupBigImage},
    {"vt5_logo.png", &Artwork::GetVT5AboutLogo},
    {"icon_position_w20.png", &Artwork::GetIconEventPropertiesPosition},
    {"icon_size_w20.png", &Artwork::GetIconEventPropertiesSize},
    {"icon_text_font_w20.png", &Artwork::GetIconEventPropertiesFont},
    {"icon_color_w20.png", &Artwork::GetIconEventPropertiesColor},
    {"smi_logo.png", &Artwork::GetIconSMILogo},
    {"tobiipro_logo.png", &Artwork::GetIconTobiiLogo},
};

}  // namespace

wxBitmap GetBitmapRsrc(const wxString& name)
{
    for (const NamedImage& entry : kNamedImages) {
        if (name == entry.name) return entry.getter();
    }
    return wxNullBitmap;
}

std::vector<wxString> KnownBitmapRsrcNames()
{
    std::vector<wxString> names;
    for (const NamedImage& entry : kNamedImages) names.emplace_back(entry.name);
    return names;
}

}  // namespace Vantrel
