// The folder list: the rows of the open folder's ancestry and subfolders, and opening
// an entry the user activates.
#include "filemanager/lists/dir_list_box.h"

#include <glib.h>
#include <gtkmm/box.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/stringobject.h>

#include "common/accessible.h"
#include "common/errors.h"
#include "filemanager/lists/folder_path.h"
#include "filemanager/lists/list_rows.h"
#include "filemanager/lists/typed_text.h"

namespace filemanager {

namespace {

// Indentation of one tree level, in pixels.
constexpr int kIndent = 16;
// The row below the open folder's while another folder loads.
constexpr char kLoading[] = "Loading\u2026";

std::string CurrentFolder() {
  char* current = g_get_current_dir();
  std::string folder(current);
  g_free(current);
  return folder;
}

}  // namespace

DirListBox::DirListBox(FirstRows first_rows)
    : rows_(LazyRowModel::create()),
      selection_(Gtk::SingleSelection::create(rows_)),
      factory_(Gtk::SignalListItemFactory::create()),
      view_(NewListView()) {
  selection_->set_autoselect(false);
  ShowRows(view_, selection_, first_rows);
  view_.set_factory(factory_);
  set_child(view_);
  auto keys = Gtk::EventControllerKey::create();
  keys->signal_key_pressed().connect(sigc::mem_fun(*this, &DirListBox::View_KeyPressed), false);
  view_.add_controller(keys);
  set_policy(Gtk::PolicyType::AUTOMATIC, Gtk::PolicyType::AUTOMATIC);
  set_has_frame(true);
  common::SetAccessibleName(*this, "Folders");
  common::SetAccessibleName(view_, "Folders");

  connect_signals();

  const std::string start = NormalizeFolderPath(CurrentFolder(), "/");
  common::TrapFailure([&] { Start(start); }, [&](const std::string&) { Start("/"); });
}

void DirListBox::connect_signals() {
  factory_->signal_setup().connect(sigc::mem_fun(*this, &DirListBox::Row_Setup));
  factory_->signal_bind().connect(sigc::mem_fun(*this, &DirListBox::Row_Bind));
  view_.signal_activate().connect(sigc::mem_fun(*this, &DirListBox::View_Activate));
  loader_.signal_opened().connect(sigc::mem_fun(*this, &DirListBox::Loader_Opened));
  loader_.signal_failed().connect(sigc::mem_fun(*this, &DirListBox::Loader_Failed));
  loader_.signal_ready().connect(sigc::mem_fun(*this, &DirListBox::Loader_Ready));
}

// A start folder that is slow to answer is shown as open, its subfolders to come.
void DirListBox::Start(const std::string& path) {
  const auto opened = Read(path);
  opening_.clear();
  Open(path, opened.value_or(FolderLoader::Opened{}));
  if (!opened) ShowOpening(path);
}

void DirListBox::Path(const std::string& path) {
  const std::string target = path.empty() ? path : NormalizeFolderPath(path, CurrentFolder());
  if (const auto opened = Read(target)) OpenAndTell(target, *opened);
}

// The folder's subfolders changed (another program, or New Folder): they are read
// again, and the row selected and the scrolling stay while that row is there.
void DirListBox::Reload() {
  if (Opening() || ancestry_.empty()) return;  // the folder loading is read anew anyway
  const auto opened = Read(path_);
  if (!opened) return;  // a folder slow to answer shows once it has
  keep_ = Kept{RowPath(selection_->get_selected()), get_vadjustment()->get_value()};
  identity_ = opened->identity;
  Show(opened->listing);
  keep_.reset();
}

void DirListBox::SelectRow(const std::string& path) {
  for (guint position = 0; position < selection_->get_n_items(); ++position) {
    if (RowPath(position) != path) continue;
    selection_->set_selected(position);
    view_.activate_action("list.scroll-to-item", Glib::Variant<guint32>::create(position));
    return;
  }
}

std::string DirListBox::RowPath(guint position) const {
  if (position < ancestry_.size()) return ancestry_[position];
  const std::size_t subfolder = position - ancestry_.size();
  if (!subfolders_ || subfolder >= subfolders_->size()) return {};
  return JoinPath(path_, subfolders_->Name(subfolder));
}

// Shows path as loading when it does not answer at once; a folder that opens or
// fails in time, or a newer one, ends the loading of an earlier one.
std::optional<FolderLoader::Opened> DirListBox::Read(const std::string& path) {
  std::optional<FolderLoader::Opened> opened;
  try {
    opened = loader_.Load(path, EntryKind::kFolders, NamePattern());
  } catch (const common::Error&) {
    failed_ = path;
    ShowOpening("");
    throw;
  }
  if (opened)
    opening_.clear();  // opening it redraws the list
  else
    ShowOpening(path);
  return opened;
}

// What a Change handler raises is its own failure, not the folder's: it goes on to
// whoever opened the folder.
void DirListBox::OpenAndTell(const std::string& path, const FolderLoader::Opened& opened) {
  const bool changed = path != path_;
  Open(path, opened);
  if (changed) change_.emit();
}

void DirListBox::Open(const std::string& path, const FolderLoader::Opened& opened) {
  path_ = path;
  identity_ = opened.identity;
  ancestry_ = FolderAncestry(path);
  Show(opened.listing);
}

void DirListBox::Show(FolderLoader::Listing listing) {
  subfolders_ = std::move(listing);
  complete_ = subfolders_ != nullptr;
  Redraw();
  if (complete_) listed_.emit();
}

void DirListBox::ShowOpening(const std::string& path) {
  if (path == opening_) return;
  opening_ = path;
  Redraw();
}

void DirListBox::Redraw() {
  if (ancestry_.empty()) return;  // nothing open yet
  const std::size_t shown = ancestry_.size() + (subfolders_ ? subfolders_->size() : 0);
  const auto size = static_cast<guint>(shown + (opening_.empty() ? 0 : 1));
  // New rows replace the one that had the keyboard focus; the list keeps it.
  const bool focused = HoldsFocus(view_);
  rows_->Reset(size, [ancestry = ancestry_, subfolders = subfolders_, shown](guint position) {
    if (position < ancestry.size()) return DisplayName(LastComponent(ancestry[position]).c_str());
    if (position >= shown) return std::string(kLoading);
    return DisplayName(subfolders->Name(position - ancestry.size()));
  });
  if (focused && !HoldsFocus(view_)) view_.grab_focus();
  if (keep_) {
    get_vadjustment()->set_value(keep_->scroll);
    selection_->set_selected(static_cast<guint>(ancestry_.size() - 1));
    SelectRow(keep_->selected);
    return;
  }
  // The open folder is the highlighted row, as the tree's current place, and in sight.
  const auto current = static_cast<guint32>(ancestry_.size() - 1);
  selection_->set_selected(current);
  view_.activate_action("list.scroll-to-item", Glib::Variant<guint32>::create(current));
}

void DirListBox::Loader_Opened(const FolderLoader::Opened& opened) {
  const std::string path = std::move(opening_);
  opening_.clear();
  OpenAndTell(path, opened);
}

void DirListBox::Loader_Failed(const std::string& description) {
  failed_ = opening_;
  ShowOpening("");
  open_failed_.emit(description);
}

void DirListBox::Loader_Ready(FolderLoader::Listing listing) { Show(std::move(listing)); }

void DirListBox::View_Activate(guint position) {
  const std::string target = RowPath(position);
  if (target.empty()) return;
  std::optional<FolderLoader::Opened> opened;
  try {
    opened = Read(target);
  } catch (const common::Error& error) {
    open_failed_.emit(error.what());
    return;
  }
  if (opened) OpenAndTell(target, *opened);
}

// Letters select the next folder whose name starts with what was typed; Enter opens the
// folder selected.
bool DirListBox::View_KeyPressed(guint keyval, guint, Gdk::ModifierType state) {
  if (OpensRow(keyval, state)) {
    View_Activate(selection_->get_selected());
    return true;
  }
  const auto text = TypedText(keyval, state);
  if (!text) return false;
  const guint selected = selection_->get_selected();
  const auto row = type_ahead_.Type(
      *text, TypeAhead::Clock::now(), static_cast<int>(selection_->get_n_items()),
      [this](int index) { return DisplayName(LastComponent(RowPath(index)).c_str()); },
      selected == GTK_INVALID_LIST_POSITION ? -1 : static_cast<int>(selected));
  if (!row) return true;
  selection_->set_selected(static_cast<guint>(*row));
  view_.activate_action("list.scroll-to-item", Glib::Variant<guint32>::create(*row));
  FocusRow(view_, static_cast<guint>(*row));
  return true;
}

void DirListBox::Row_Setup(const Glib::RefPtr<Gtk::ListItem>& item) {
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 4);
  row->append(*Gtk::make_managed<Gtk::Image>());
  auto* label = Gtk::make_managed<Gtk::Label>();
  label->set_xalign(0);
  label->set_ellipsize(Pango::EllipsizeMode::END);
  row->append(*label);
  item->set_child(*row);
}

void DirListBox::Row_Bind(const Glib::RefPtr<Gtk::ListItem>& item) {
  auto* row = dynamic_cast<Gtk::Box*>(item->get_child());
  auto text = std::dynamic_pointer_cast<Gtk::StringObject>(item->get_item());
  if (!row || !text) return;
  auto* icon = dynamic_cast<Gtk::Image*>(row->get_first_child());
  auto* label = dynamic_cast<Gtk::Label*>(row->get_last_child());
  if (!icon || !label) return;
  const guint position = item->get_position();
  const bool ancestor = position < ancestry_.size();
  const bool subfolder = !ancestor && !RowPath(position).empty();
  const int depth = static_cast<int>(ancestor ? position : ancestry_.size());
  row->set_margin_start(depth * kIndent);
  icon->set_from_icon_name(ancestor    ? "folder-open"
                           : subfolder ? "folder"
                                       : "content-loading-symbolic");
  label->set_text(text->get_string());
  common::SetAccessibleName(*row, text->get_string());
  MarkRow(*row, position);
}

}  // namespace filemanager
