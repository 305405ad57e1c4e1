#!/usr/bin/env python3
"""Puts deliberate faults into the code one at a time and tells whether the test suite notices.

    tools/fault_check.py [--build DIR] [--only NAME ...] [--list]

Each fault replaces one piece of text in one source file (every occurrence). The script builds
every target of its own build folder (build-faults by default, benchmarks off), runs every test
ctest knows with the command, environment and folder ctest gives it (two at a time, each for
about a minute at most), puts the file back and prints one line per fault: CAUGHT when some test
failed (naming them), MISSED when the suite stayed green, BROKEN when the fault does not build,
and NOT APPLIED when the text is no longer in the file. Not run by CI.
"""
import argparse
import concurrent.futures
import json
import os
import pathlib
import shutil
import signal
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
MinTimeout = 60  # seconds a test may take before a fault is taken to make it hang

# (name, file, text, replacement)
FAULTS = [
    ("rounding half up instead of half to even", "src/core/numbers.cpp",
     "(fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)", "(fraction == 0.5)"),
    ("leading blank also before negative numbers", "src/core/numbers.cpp",
     "if (value >= 0) text.insert", "if (value >= -1) text.insert"),
    ("wall code cycling past 7", "src/maps/frm_map_ed_squares.cpp",
     "(back ? codes - 1 : 1)) % codes)", "(back ? codes - 1 : 1)) % (codes + 1))"),
    ("square copy reading the source with x and y swapped", "src/core/map_record.cpp",
     "SetSquare(toX, toY, Square(fromX, fromY));", "SetSquare(toX, toY, Square(fromY, fromX));"),
    ("field-major slot table read slot-major", "src/core/slot_table.h",
     "field * SlotCount + slot", "slot * FieldCount + field"),
    ("average hits rounded toward zero", "src/core/creature_record.cpp",
     "std::floor(product)", "std::trunc(product)"),
    ("shop stock keeping repeats", "src/core/shop_record.cpp",
     "stock[j] = 0;\n      }\n    }\n  }", "stock[j] = stock[j];\n      }\n    }\n  }"),
    ("creature specials test reading the effect instead of the chance", "src/core/creature_record.cpp",
     "creature.CreatureSpecial(slot, SpecialSlotField::Chance) != 0",
     "creature.CreatureSpecial(slot, SpecialSlotField::Effect) != 0"),
    ("Ctrl+D giving the code of Ctrl+E", "src/ui/list_view.cpp",
     "return key - Qt::Key_A + 1;", "return key - Qt::Key_A + 2;"),
    ("change hub repainting the window that made the change", "src/ui/change_hub.cpp",
     "if (static_cast<const void*>(w.form.data()) == origin) continue;",
     "if (static_cast<const void*>(this) == origin) continue;"),
    ("glyphs drawn by copy instead of AND", "src/core/map_picture.cpp",
     "tiles, *glyph, true);", "tiles, *glyph, false);"),
    ("facing phrase without its leading blank", "src/maps/special_descriptions.cpp",
     'std::string text = " Facing ";', 'std::string text = "Facing ";'),
    ("paging guard of '>' removed", "src/ui/entry_pager.cpp",
     "if (shown < hooks_.count()) moveTo", "if (shown <= hooks_.count()) moveTo"),
    ("unsaved-changes question skipped", "src/ui/entry_pager.cpp",
     "|| !hooks_.unsaved()) return true;", "|| true) return true;"),
    ("coded list keeping the stored code when the first entry is chosen", "src/ui/entry_pager.cpp",
     "return position < 0 ? stored :", "return position <= 0 ? stored :"),
    # core: files, records, texts, numbers
    ("map saved one slot too far, as if it had a header", "src/core/definitions.cpp",
     "Status status = file->Store(mapNumber, bytes);",
     "Status status = file->Store(mapNumber + 1, bytes);"),
    ("append writing a fresh header over the game's other header bytes",
     "src/core/catalogue_impl.h", "  status = file_.Read(1, header);\n  if (!status.ok()) return status;\n  PutIntegerAt",
     "  PutIntegerAt"),
    ("name cache not following a written slot", "src/core/catalogue_impl.h",
     "  guard_.remember(slot, bytes);\n  rememberNames(slot, record);\n", "  guard_.remember(slot, bytes);\n"),
    ("item fields To Hit and To Hit % swapped (offsets off by two)", "src/core/item_record.cpp",
     "packer.Field(item.ToHit);\n  packer.Field(item.ToHitPercent);",
     "packer.Field(item.ToHitPercent);\n  packer.Field(item.ToHit);"),
    ("Windows-1252 quotes 0x91 and 0x92 swapped", "src/core/text.cpp",
     "U'\\u2018', U'\\u2019'", "U'\\u2019', U'\\u2018'"),
    ("fixed texts padded with zeros instead of blanks", "src/core/text.cpp",
     "text.resize(width, ' ');", "text.resize(width, '\\0');"),
    ("number reading ignoring the minus sign", "src/core/numbers.cpp",
     "shape.negative = text[at] == '-';", "shape.negative = false;"),
    ("special table read slot-major", "src/core/map_record.cpp",
     "SpecialCount * static_cast<int>(field) + index",
     "SpecialFieldCount * index + static_cast<int>(field)"),
    # ui: list view, picture box, change hub, entry pager
    ("list view sub-item put on the next row", "src/ui/list_view.cpp",
     "model_->addSubItem(position - 1,", "model_->addSubItem(position,"),
    ("picture box AND drawn as OR", "src/ui/picture_box.cpp",
     "(out[x] & in[x]) | 0xFF000000u", "(out[x] | in[x]) | 0xFF000000u"),
    ("change hub painting inside the handler instead of once after it", "src/ui/change_hub.cpp",
     "QMetaObject::invokeMethod(this, &ChangeHub::flush, Qt::QueuedConnection);", "flush();"),
    ("paging guard of '<' letting the first entry page to the header", "src/ui/entry_pager.cpp",
     "if (shown > 1 && shown - 1 <= hooks_.count())",
     "if (shown >= 1 && shown - 1 <= hooks_.count())"),
    # maps: main window and its panels
    ("map document forgetting that it was just saved", "src/core/definitions.cpp",
     "  mapsSeen_.remember(mapNumber, bytes);\n  document_.MarkSaved();",
     "  mapsSeen_.remember(mapNumber, bytes);"),
    ("encounter level prompt writing the encounter chance", "src/maps/frm_map_ed_layout.cpp",
     '"Encounter Level", &core::MapRecord::EncounterLevel}',
     '"Encounter Level", &core::MapRecord::EncounterChance}'),
    ("facing mask read from the wrong special field", "src/maps/special_descriptions.cpp",
     "map.Special(index, SpecialField::Param2);", "map.Special(index, SpecialField::Param3);"),
    ("a stored slot not put on disk (no sync)", "src/core/record_file.cpp",
     "  if (status.ok()) status = Sync();\n  if (status.ok()) return status;",
     "  if (status.ok()) return status;"),
    # catalogue editors: entries in their own slots, counts, paging keys
    ("save writing an entry to the slot its number names", "src/core/definitions.cpp",
     "return catalogue.WriteEntry(place, working, overwrite);",
     "return catalogue.WriteEntry(working.entryNumber(), working, overwrite);"),
    ("negative header count taken as 0", "src/core/catalogue.h",
     "whole > 0 ? whole - 1 : 0", "whole > 0 ? 0 : 0"),
    ("paging keys watched on the window only, so a box of several lines keeps Ctrl+Home",
     "src/ui/entry_pager.cpp", "application->installEventFilter(this);",
     "window->installEventFilter(this);"),
    # lists and small editor controls: keys, carried choices, owned windows
    ("Tab moving between a list's cells", "src/ui/list_view.cpp",
     "setTabKeyNavigation(false);", "setTabKeyNavigation(true);"),
    ("Enter in a list picking nothing", "src/ui/list_view.cpp",
     "emit rowPicked(selectedPosition());\n    return;", "return;"),
    ("a type change showing the stored use instead of the one on screen",
     "src/equipment/frm_equip_ed.cpp",
     "ui::ShowCode(scroll ? Combo3_ : Combo2_, screenUse_, 1);",
     "ui::ShowCode(scroll ? Combo3_ : Combo2_, defs_.Item.UseCode, 1);"),
    ("item effect windows left open after the editor", "src/equipment/frm_equip_ed.cpp",
     "  registry_.close(ui::window::EffectEditor);\n  registry_.close(ui::window::ItemEffects);", ""),
    ("creature editor Tab order leaving the saving throws in creation order",
     "src/creatures/frm_creat_ed_layout.cpp", "for (int i = row; i < core::SaveCategoryCount; i += 3)",
     "for (int i = row * 2; i < row * 2 + 2; ++i)"),
    ("a read-only check box taking clicks", "src/ui/controls.cpp",
     "return !readOnly_ && QCheckBox::hitButton(position);",
     "return QCheckBox::hitButton(position);"),
    ("a cut drop-down showing only its own hint", "src/ui/controls.cpp",
     "if (event->type() == QEvent::ToolTip && isTextCut())", "if (false)"),
    # several-slot writes, the one chunked reader, the spell progression
    ("several-slot write going in place, slot by slot", "src/core/catalogue_whole_file.h",
     "  status = file_.ReplaceWith(contents);\n",
     "  for (const SlotBytes& change : changes) {\n    status = file_.Write(change.slot, change.bytes);\n"
     "    if (!status.ok()) break;\n  }\n  if (status.ok()) status = file_.Sync();\n"),
    ("several-slot write skipping the changed-on-disk check", "src/core/catalogue_whole_file.h",
     "  if (!overwrite) {\n    for (const SlotBytes& change : changes) {",
     "  if (!overwrite && changes.empty()) {\n    for (const SlotBytes& change : changes) {"),
    ("progression count not following the header the window read",
     "src/core/spell_progression.cpp", "      defs.SpellProgCount = count;\n", ""),
    ("read-ahead handing the chunk being read instead of the one read", "src/core/chunked_read.cpp",
     "use(chunks_.at(k), *buffers_[k % 2]);", "use(chunks_.at(k), *buffers_[(k + 1) % 2]);"),
    ("read-ahead pass going on after its use asked to stop", "src/core/chunked_read.cpp",
     "      if (!more) break;", "      (void)more;"),
    ("catalogue pass not noticing a file replaced between its chunks", "src/core/catalogue_impl.h",
     "  Status followed = FollowReplacedFile();\n  if (followed.ok() && generation_ != generation)",
     "  Status followed = Status::Ok();\n  if (followed.ok() && generation_ != generation)"),
    ("chunked entries keeping parts of a replaced or rewritten file", "src/core/catalogue_sweep.h",
     "    if (catalogue_.generation() != generation_) {\n      chunks_.clear();",
     "    if (false) {\n      chunks_.clear();"),
    # map windows: entry dialogs, the special editor's square, keys of boxes, buttons, Escape
    ("text entry dialog following the shared TextIndex", "src/maps/map_text_entry.cpp",
     "const int index = textIndex_;", "const int index = defs_.TextIndex;"),
    ("special stored on the selected square at every change", "src/specials/frm_map_spe.cpp",
     "storeSpecial(screenAsSpecial(placeX_, placeY_),",
     "storeSpecial(screenAsSpecial(defs_.SelectedX, defs_.SelectedY),"),
    ("OK moving a special without asking", "src/specials/frm_map_spe.cpp",
     "stored.special.Kind >= 1 && selectionIsElsewhere()", "false"),
    ("a free entry left free stored as a step", "src/specials/frm_map_spe.cpp",
     " || (kept.Kind == 0 && stored.special.Kind == 0)", ""),
    ("special editor not owned by the main window", "src/specials/forms.cpp",
     "registry.setOwner(ui::window::SpecialEditor, ui::window::MainWindow);", ""),
    ("encounter OK storing 0 for a creature beyond the catalogue", "src/maps/frm_map_enc.cpp",
     "creature = beyond ? filled : 0;", "creature = beyond ? 0 : 0;"),
    ("a box's own typing never taken back by Ctrl+Z", "src/ui/control_keys.cpp",
     "event->setAccepted(own);", "event->setAccepted(own && false);"),
    ("a box with no typing left keeping Ctrl+Z from the map", "src/ui/control_keys.cpp",
     "event->setAccepted(own);", "event->setAccepted(own || true);"),
    ("a box stored at once taking back its typing as a new step", "src/ui/control_keys.cpp",
     "if (box->property(KeysLeftToWindow).toBool()) return false;", ""),
    ("Enter on a focused button going to the window", "src/ui/control_keys.cpp",
     "if (!IsEnter(*static_cast<QKeyEvent*>(event))) return false;",
     "if (IsEnter(*static_cast<QKeyEvent*>(event)) || true) return false;"),
    ("Escape not closing the secondary windows", "src/ui/form.cpp",
     "QKeySequence(Qt::Key_Escape)", "QKeySequence(Qt::Key_F24)"),
    # map document: steps and change notices
    ("every change of a drag made its own undo step", "src/core/map_document.cpp",
     "if (!stepOpen_) history_.Record(label, before, map_, number_, number_);",
     "history_.Record(label, before, map_, number_, number_);"),
    ("change notice naming only the last changed square", "src/core/map_document.cpp",
     "change.squares = change.squares.united({x, y, x, y});", "change.squares = {x, y, x, y};"),
    # standing checks: crash points and failed calls of the write path
    ("a slot written in pieces, so a crash can leave half of it", "src/core/record_file.cpp",
     "::pwrite(fd_, data.data() + done, data.size() - done,",
     "::pwrite(fd_, data.data() + done, std::min<std::size_t>(data.size() - done, 64),"),
    # safe writes: second editors, failed writes, missing files, the folder lock
    ("unsaved-changes check reading the entry from disk", "src/ui/entry_pager.h",
     "const std::optional<Record> stored = catalogue.LastSeen(entry);",
     "const std::optional<Record> stored = catalogue.ReadEntry(entry).value();"),
    ("append written over entries another editor added", "src/core/catalogue_impl.h",
     "if (*onDisk != count) {", "if (*onDisk < count) {"),
    ("failed header write of an append leaving the entry behind", "src/core/catalogue_impl.h",
     "Status::WithFailedUndo(status, file_.PutBack(newCount + 1, old, *oldSize))", "status"),
    ("failed store leaving its half-written bytes", "src/core/record_file.cpp",
     "return Status::WithFailedUndo(status, PutBack(slot, old, *before));", "return status;"),
    ("failed put-back not reported", "src/core/status.h",
     "if (undo.ok()) return failure;", "return failure;"),
    ("failed save remembering the bytes from before it", "src/core/catalogue_impl.h",
     "if (file_.Read(slot, now).ok()) guard_.remember(slot, now);",
     "if (file_.Read(slot, now).ok()) {}"),
    ("missing Maps.dat made again by Open and Save", "src/core/definitions.cpp",
     "auto file = OpenMapsFile(datFolder, false);", "auto file = OpenMapsFile(datFolder, true);"),
    ("editor opened anyway never taking the freed lock", "src/app/folder_lock.cpp",
     "  lock.takeWhenFreed();\n", ""),
    # text boxes: stored bytes kept, zero bytes, padding, typed line breaks
    ("unedited text box coded again instead of giving back its bytes", "src/ui/controls.cpp",
     "if (!storesAsShown_ && !edited()) return stored_;", "if (false) return stored_;"),
    ("stored text shown past its first zero byte", "src/ui/controls.cpp",
     "core::TrimTrailingBlanks(stored.substr(0, stored.find('\\0')))",
     "core::TrimTrailingBlanks(stored)"),
    ("padding blanks shown in the box", "src/ui/controls.cpp",
     "core::TrimTrailingBlanks(stored.substr(0, stored.find('\\0')))",
     "std::string(stored.substr(0, stored.find('\\0')))"),
    ("typed line break of a spell description stored as LF", "src/ui/controls.cpp",
     'typed.replace(QLatin1Char(\'\\n\'), QLatin1String("\\r\\n"));', "{}"),
    ("typed line break of a long text ignoring the form the text uses", "src/ui/controls.cpp",
     "if (at == std::string_view::npos || stored[at] == '\\n')", "if (true)"),
    ("multi-line box reading a no-break space as a blank", "src/ui/controls.cpp",
     "QString raw = document()->toRawText();", "QString raw = toPlainText();"),
    ("new entry keeping the zero bytes of the entry it was copied from", "src/ui/entry_pager.cpp",
     "const StoresAsShown asShown(window_);", ""),
    ("equipment list showing the zero bytes of a name", "src/equipment/frm_equip_list2.cpp",
     "ui::ToShownText(item.ItemName)", "ui::ToQString(item.ItemName)"),
    # game data check and editor-check
    ("checker telling a later file's failure before that of Mag.dat, read beside",
     "src/core/game_scan.cpp",
     "  if (!spellStatus.ok()) return spellStatus;\n  if (!later.ok()) return later;",
     "  if (!later.ok()) return later;\n  if (!spellStatus.ok()) return spellStatus;"),
    ("wall faces compared with the same side of the neighbour", "src/core/game_scan.cpp",
     "face(x, y, East) != face(x + 1, y, West)", "face(x, y, East) != face(x + 1, y, East)"),
    ("item effect spells read without the list base", "src/core/game_scan.cpp",
     "item.Effect(slot, EffectField::What) + SpellListBase", "item.Effect(slot, EffectField::What)"),
    ("last entry of a catalogue taken as past its end", "src/core/game_check.cpp",
     "} else if (r.number > held.count) {", "} else if (r.number >= held.count) {"),
    ("checker opening catalogues for writing (creates missing files)", "src/core/game_scan.cpp",
     "catalogue.OpenForReading(ResolveIgnoringCase(folder_, \"Dat\"))",
     "catalogue.Open(ResolveIgnoringCase(folder_, \"Dat\"))"),
    ("Set Flag noting its timing as the flag set", "src/core/game_scan.cpp",
     "flagsSet_.insert(s.Param1);", "flagsSet_.insert(s.Param2);"),
    # finding entries: filter, order, drop-down search, Go To
    ("filter narrowing from the rows the last text hid", "src/ui/row_filter.cpp",
     "if (matched_[row]) matched_[row] = matches", "if (!matched_[row]) matched_[row] = matches"),
    ("numbers ordered as texts", "src/ui/row_filter.cpp", "numeric = ok;", "numeric = false;"),
    ("add-item filter dropping the Nothing row", "src/shops/frm_shop_item_add.cpp",
     "if (row == 0 || needle_.isEmpty()) return true;", "if (needle_.isEmpty()) return true;"),
    ("catalogue editor's title marked only at a paint", "src/ui/entry_pager.cpp",
     "const auto markLater = [later] { later->start(); };", "const auto markLater = [] {};"),
    ("filter noting a row's pairs of bytes wrongly", "src/ui/row_filter.cpp",
     "PairBit(static_cast<unsigned char>(text[i - 1]),", "PairBit(static_cast<unsigned char>(text[i]),"),
    ("filter passing a row on its pairs of bytes alone", "src/ui/row_filter.cpp",
     "needleBytes_.size()) != nullptr;", "needleBytes_.size()) != nullptr || true;"),
    ("a second click on a heading keeping the order", "src/ui/list_view.cpp",
     "filter_->sortOrder() == Qt::DescendingOrder;", "true;"),
    ("a filtered row picking the entry at its place in the full list", "src/ui/list_view.cpp",
     "return model_->row(static_cast<std::size_t>(filter_->sourceRow(position - 1)));",
     "return model_->row(static_cast<std::size_t>(position - 1));"),
    ("drop-down search matching the start of a name only", "src/ui/catalogue_names.cpp",
     ".toCaseFolded().contains(needle)", ".toCaseFolded().startsWith(needle)"),
    ("name list not following its catalogue", "src/ui/catalogue_names.cpp",
     "[this] { refresh(); });", "[] {});"),
    ("Go To taking a name before a number", "src/ui/entry_pager.cpp",
     "if (number) return entry >= 1", "if (number && false) return entry >= 1"),
    # where used, the findings window, going to a place, the faster check
    ("Where Used taking the open map from the file", "src/core/where_used.cpp",
     "const bool fromMemory = openMap != nullptr && openMapNumber >= 1;",
     "const bool fromMemory = false;"),
    ("Where Used index never stale once built", "src/core/where_used.cpp",
     "return !built_ || Stamps() != stamps_;", "return !built_;"),
    ("going to another map without asking about the open one", "src/maps/frm_map_ed_places.cpp",
     "if (place.entry > 32767 || !offerToSave()) return false;",
     "if (place.entry > 32767) return false;"),
    ("going to a special without its line at the top of the list", "src/maps/frm_map_ed_places.cpp",
     "defs_.SpecialsOffset = static_cast<std::int16_t>(before);", "defs_.SpecialsOffset = 0;"),
    ("an open editor not moved to the entry of the place", "src/ui/catalogue_list.cpp",
     "return entry < 1 || pager->shown() == entry || pager->pick(entry);",
     "return entry < 1 || pager->shown() == entry || true;"),
    ("findings heading clicked again not reversing the order", "src/checks/frm_game_check.cpp",
     "return descending_ ? less(b, a) : less(a, b);", "return less(a, b);"),
    ("findings filter minding letter case", "src/checks/frm_game_check.cpp",
     "Qt::CaseInsensitive", "Qt::CaseSensitive"),
    ("findings window not saying the open map was checked unsaved", "src/core/game_scan.cpp",
     "check_.unsavedMapDiffers = !std::equal(", "check_.unsavedMapDiffers = std::equal("),
    ("findings ordered by entry before file", "src/core/game_scan.cpp",
     "field(static_cast<long>(p.file), 0, 4) << 36", "field(static_cast<long>(p.file), 0, 4)"),
    ("spell names read from the spell's number on", "src/core/spell_record.cpp",
     "in.data() + 2), SpellNameWidth}", "in.data()), SpellNameWidth}"),
    ("a text unpacked after the text an entry read before", "src/core/packing.cpp",
     "bytes.assign(reinterpret_cast<const char*>(in_.data() + offset_), width);",
     "bytes.append(reinterpret_cast<const char*>(in_.data() + offset_), width);"),
    # map view zoom and the Select, Wall and Room tools
    ("wall edge setting only the face before its line", "src/maps/map_tools.cpp",
     "if (after < core::MapSize) map.SetWallCode(after, edge.cell, core::West, code);", ""),
    ("wall drag leaving the line it started on", "src/maps/map_tools.cpp",
     "GridEdge edge = start;", "GridEdge edge = NearestEdge(x, y, cellPixels);"),
    ("room outline drawn one row short at the bottom", "src/maps/map_tools.cpp",
     "{false, room.bottom + 1, room.left}, {false, room.bottom + 1, room.right}",
     "{false, room.bottom, room.left}, {false, room.bottom, room.right}"),
    ("right-drag of the Wall tool putting the chosen code", "src/maps/frm_map_ed_tools.cpp",
     "gestureCode_ = button == Qt::RightButton ? 0 : chosenWallCode();",
     "gestureCode_ = chosenWallCode();"),
    ("zoom not remembered", "src/maps/frm_map_ed_view.cpp",
     "QSettings().setValue(ZoomSetting, zoom);", ""),
    ("pointer positions not divided by the zoom", "src/ui/picture_box.cpp",
     "const double scale = devicePixelRatioF() / pixelFactor();",
     "const double scale = devicePixelRatioF();"),
    ("Shift+arrows growing the region from the selected square each time",
     "src/maps/frm_map_ed_squares.cpp", "if (region.empty()) return QPoint(x, y);",
     "return QPoint(x, y);"),
    # text form: export, import, show, and the editor's game data menu
    ("text written plainly where its exact bytes are needed", "src/textform/field_form.cpp",
     "std::all_of(padding.begin(), padding.end(), [](char c) { return c == ' '; })) {",
     "padding.size() <= width) {"),
    ("slack of a slot not carried", "src/textform/file_form.cpp",
     "if (!AllZero(slack)) {", "if (false) {"),
    ("a number up to 40000 taken as an Integer", "src/textform/field_form.cpp",
     "json.integer > 32767", "json.integer > 40000"),
    ("a text longer than its field cut instead of refused", "src/textform/field_form.cpp",
     "if (bytes.size() > width) {", "if (bytes.size() > width + 20) {"),
    ("unknown and repeated members let through", "src/textform/field_form.cpp",
     "if (!ok() || found_ == tree_.at(object_).count) return status_;", "return status_;"),
    ("an edited text in its exact form keeping the old bytes", "src/textform/field_form.cpp",
     "withBytes && ShownPart(exactText) == bytes ?", "withBytes ?"),
    ("a square's high bits dropped", "src/textform/map_form.cpp",
     "row += Hex[(static_cast<std::uint16_t>(word) >> 12) & 15];", "row += '0';"),
    ("an entry's table written slot-major from its packed bytes", "src/textform/field_form.cpp",
     "IntegerAt(at_ + 2 * (field * Slots + slot))",
     "IntegerAt(at_ + 2 * (slot * core::SlotTable::FieldCount + field))"),
    ("a JSON text that is not UTF-8 let through", "src/textform/json_tree.cpp",
     "if (ValidUtf8(text, length)) return true;",
     "if (ValidUtf8(text, length) || true) return true;"),
    ("a bitmap's bottom-up rows read top down", "src/core/bitmap.cpp",
     ": static_cast<std::size_t>(bitmap.height - 1 - y);", ": static_cast<std::size_t>(y);"),
    ("map picture of the command line not enlarged by its zoom", "src/cli/picture_command.cpp",
     "core::Enlarged(*picture, static_cast<int>(zoom))",
     "core::Enlarged(*picture, static_cast<int>(zoom / zoom))"),
    ("import leaving files written beside a failed one as they were written",
     "src/textform/game_data.cpp",
     "again.ok() ? (planned.before.exists ? again->ReplaceWith(planned.old) : core::Status::Ok())",
     "again.ok() ? core::Status::Ok()"),
    ("import not looking for a change on disk", "src/textform/game_data.cpp",
     "if (StateOf(planned.path) != planned.before)", "if (false)"),
    ("import not taking the game folder's lock", "src/textform/game_data.cpp",
     "if (options.takeLock) {", "if (false) {"),
    ("import going on after a refused file, so that a later refusal is the one named",
     "src/textform/game_data.cpp",
     'failure = core::Status::Error("Nothing was imported. " + message);\n    return false;',
     'failure = core::Status::Error("Nothing was imported. " + message);\n    return true;'),
    ("export's pieces of a file joined without a comma between their entries",
     "src/textform/file_form.cpp", "JsonOut out(text, EntriesDepth, first > 0);",
     "JsonOut out(text, EntriesDepth, false);"),
    ("import from the editor not asking the windows about unsaved changes",
     "src/maps/frm_map_ed_data.cpp",
     "if (form->holdsUnsavedChanges()) return form->windowTitle();",
     "if (form->isClosed()) return form->windowTitle();"),
    ("open windows not shown the imported data", "src/maps/frm_map_ed_data.cpp",
     "for (ui::Form* form : registry_.openForms()) form->refresh();", ""),
    # regions of squares: copy, the clipboard's two forms, paste, cut and clear
    ("pasted special overwriting an entry of negative kind", "src/core/map_region.cpp",
     "while (map.Special(entry, SpecialField::Kind) != 0) ++entry;",
     "while (map.Special(entry, SpecialField::Kind) > 0) ++entry;"),
    ("copied special keeping the map's coordinates", "src/core/map_region.cpp",
     "special.SquareX - on.left", "special.SquareX"),
    ("special one column past the copied squares accepted", "src/core/map_region.cpp",
     "special.SquareX >= width ||", "special.SquareX > width ||"),
    ("text form taking a size of 34 squares", "src/core/map_region.cpp",
     "ReadDecimal(lines[0][heading.size()], 1, MapSize,",
     "ReadDecimal(lines[0][heading.size()], 1, MapSize + 1,"),
    ("clear leaving the fields of a removed special", "src/core/map_region.cpp",
     "map.PutSpecial(i, MapSpecial{});", "map.SetSpecial(i, SpecialField::Kind, 0);"),
    ("negative entries counted as free for a paste", "src/core/map_region.cpp",
     "free += map.Special(i, SpecialField::Kind) == 0 ? 1 : 0;",
     "free += map.Special(i, SpecialField::Kind) < 1 ? 1 : 0;"),
    ("cut leaving the clipboard alone", "src/maps/frm_map_ed_regions.cpp",
     "PutRegionOnClipboard(core::CutRegion(document(), changeOrigin()));",
     "core::CutRegion(document(), changeOrigin());"),
    ("paste ignoring the editor's own clipboard type", "src/maps/region_clipboard.cpp",
     "if (data && data->hasFormat(MimeType())) {", "if (data && data->hasFormat(\"x\")) {"),
    ("cut, copy and clear offered without a region", "src/maps/frm_map_ed_regions.cpp",
     "const bool region = !document().Region().empty();", "const bool region = true;"),
    # game folders: the demo copied, never written over a game; the switch asks first
    ("new game folder copied over a folder that holds a game", "src/app/game_folder_choice.cpp",
     "if (HoldsGameFiles(target)) {", "if (HoldsGameFiles(target) && false) {"),
    ("recent folders kept oldest first", "src/app/game_folder_choice.cpp",
     "folders.prepend(absolute);", "folders.append(absolute);"),
    ("going to another folder although the save question was cancelled",
     "src/maps/frm_map_ed_folders.cpp", "if (!closeForm()) gameFolders_->setNext({});",
     "closeForm();"),
    # undo of catalogue writes
    ("undone append leaving the file's length", "src/core/catalogue_undo.h",
     "if (status.ok() && shorter) status = file_.CutBackTo(length);", ""),
    ("undo writing over another editor's change without asking", "src/core/catalogue_undo.h",
     "if (now != BytesOf(slot, !forward)) {", "if (false) {"),
    ("undone progression Add leaving the file's length", "src/core/catalogue_undo.h",
     "  contents.resize(static_cast<std::size_t>(length));\n  status = file_.ReplaceWith",
     "  status = file_.ReplaceWith"),
]


def run(command, cwd=ROOT):
    return subprocess.run(command, cwd=cwd, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL).returncode


def build_all(build):
    """Builds every target of the folder (benchmarks are off there): the tests run programs,
    tools and scripts alike, and a fault in a header reaches all of them."""
    return run(["cmake", "--build", build, "-j2"]) == 0


def ctest_tests(build):
    """Every test ctest knows, as ctest would run it: (name, command, environment, folder,
    expected to fail). Read after a build: ctest names no command for a program not yet built."""
    listed = subprocess.run(["ctest", "--test-dir", build, "--show-only=json-v1"], cwd=ROOT,
                            capture_output=True, text=True).stdout
    tests = []
    for test in json.loads(listed)["tests"]:
        properties = {p["name"]: p["value"] for p in test.get("properties", [])}
        env = dict(os.environ)
        env.update(item.split("=", 1) for item in properties.get("ENVIRONMENT", []) if "=" in item)
        tests.append((test["name"], test.get("command"), env,
                      properties.get("WORKING_DIRECTORY", build),
                      bool(properties.get("WILL_FAIL", False))))
    return tests


def passes(test, timeout):
    """Whether one test passes, and how long it took. A fault can make a test loop forever (a
    wall code that never comes back to 0): a test still running after `timeout` seconds has
    failed, with every process it started, where ctest would wait for its long timeout."""
    name, command, env, folder, will_fail = test
    if not command:
        return False, 0.0
    start = time.monotonic()
    process = subprocess.Popen(command, cwd=folder, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        failed = process.wait(timeout=timeout) != 0
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        return False, time.monotonic() - start
    return failed == will_fail, time.monotonic() - start


def failing_tests(build, timeouts):
    """The tests that fail, by name (empty when the suite passes), two at a time as `ctest -j2`
    runs them. Each test has `timeouts[name]` seconds, about a minute."""
    tests = ctest_tests(build)
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        verdicts = list(pool.map(lambda t: passes(t, timeouts.get(t[0], MinTimeout)), tests))
    return [t[0] for t, (passed, _) in zip(tests, verdicts) if not passed]


def baseline(build):
    """Per-test timeouts from the unchanged code: a minute, or three times the test's own time
    where it runs longer on this machine. None when the unchanged suite fails."""
    tests = ctest_tests(build)
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        verdicts = list(pool.map(lambda t: passes(t, 10 * MinTimeout), tests))
    failed = [t[0] for t, (passed, _) in zip(tests, verdicts) if not passed]
    if failed:
        print(f"failing on the unchanged code: {', '.join(failed)}", file=sys.stderr)
        return None
    return {t[0]: max(MinTimeout, 3 * took) for t, (_, took) in zip(tests, verdicts)}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build-faults")
    parser.add_argument("--only", nargs="*", help="faults whose name contains one of these")
    parser.add_argument("--list", action="store_true")
    args = parser.parse_args()
    faults = [f for f in FAULTS if not args.only or any(o in f[0] for o in args.only)]
    if args.list:
        for name, path, _, _ in faults:
            print(f"{name}  ({path})")
        return 0

    build = str(ROOT / args.build)
    # Unoptimized with assertions on: a fault that breaks what the code asserts is caught.
    configure = ["cmake", "-S", ".", "-B", build, "-G", "Ninja", "-DEDITOR_BENCH=OFF",
                 "-DCMAKE_BUILD_TYPE="]
    if shutil.which("ccache"):  # each fault's file is built twice: with it, and put back
        configure.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
    if run(configure) != 0:
        print("cannot configure", file=sys.stderr)
        return 2
    timeouts = baseline(build) if build_all(build) else None
    if timeouts is None:
        print("the unchanged code does not build or pass its tests", file=sys.stderr)
        return 2

    missed = 0
    for name, path, text, replacement in faults:
        source = ROOT / path
        original = source.read_text()
        if text not in original:
            print(f"NOT APPLIED  {name}")
            missed += 1
            continue
        try:
            source.write_text(original.replace(text, replacement))
            built = build_all(build)
            failed = failing_tests(build, timeouts) if built else []
            caught = bool(failed)
        finally:
            source.write_text(original)
        if not built:
            print(f"BROKEN       {name} (does not build: choose another fault)", flush=True)
            missed += 1
            continue
        by = f"  (by {', '.join(failed)})" if caught else ""
        print(f"{'CAUGHT' if caught else 'MISSED'}       {name}{by}", flush=True)
        missed += 0 if caught else 1
    build_all(build)  # leave the folder built from the real code
    print(f"{len(faults) - missed} of {len(faults)} faults caught")
    return 0 if missed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
