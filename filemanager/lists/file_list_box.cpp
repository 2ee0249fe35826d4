// The file list: loading a folder's files into a list view whose rows are made only
// for what is on screen, and reporting the user's selection.
#include "filemanager/lists/file_list_box.h"

#include <glib.h>
#include <glibmm/main.h>
#include <gtkmm/inscription.h>
#include <gtkmm/stringobject.h>

#include "common/accessible.h"
#include "common/errors.h"
#include "filemanager/lists/folder_path.h"
#include "filemanager/lists/list_rows.h"
#include "filemanager/lists/typed_text.h"

namespace filemanager {

namespace {

// How long the list waits for more changes to its folder before reading it again.
constexpr unsigned kSettleMs = 100;

// The one row shown while the folder loads.
constexpr char kLoading[] = "Loading\u2026";

std::string StartFolder() {
  char* current = g_get_current_dir();
  std::string folder = NormalizeFolderPath(current, "/");
  g_free(current);
  return folder;
}

}  // namespace

FileListBox::FileListBox(FirstRows first_rows)
    : rows_(LazyRowModel::create()),
      selection_(Gtk::SingleSelection::create(rows_)),
      factory_(Gtk::SignalListItemFactory::create()),
      view_(NewListView()) {
  selection_->set_autoselect(false);
  // As in any single-choice list, a click on the chosen file keeps it chosen.
  selection_->set_can_unselect(false);
  ShowRows(view_, selection_, first_rows);
  view_.set_factory(factory_);
  set_child(view_);
  auto keys = Gtk::EventControllerKey::create();
  keys->signal_key_pressed().connect(sigc::mem_fun(*this, &FileListBox::View_KeyPressed), false);
  view_.add_controller(keys);
  set_policy(Gtk::PolicyType::AUTOMATIC, Gtk::PolicyType::AUTOMATIC);
  set_has_frame(true);
  common::SetAccessibleName(*this, "Files");
  common::SetAccessibleName(view_, "Files");

  connect_signals();

  const std::string start = StartFolder();
  common::TrapFailure([&] { Load(start, pattern_); },
                      [&](const std::string&) { Load("/", pattern_); });
}

void FileListBox::connect_signals() {
  factory_->signal_setup().connect(sigc::mem_fun(*this, &FileListBox::Row_Setup));
  factory_->signal_bind().connect(sigc::mem_fun(*this, &FileListBox::Row_Bind));
  view_.signal_activate().connect(sigc::mem_fun(*this, &FileListBox::View_Activate));
  selection_->property_selected().signal_changed().connect(
      sigc::mem_fun(*this, &FileListBox::Selection_Changed));
  loader_.signal_opened().connect(sigc::mem_fun(*this, &FileListBox::Loader_Opened));
  loader_.signal_failed().connect(sigc::mem_fun(*this, &FileListBox::Loader_Failed));
  loader_.signal_ready().connect(sigc::mem_fun(*this, &FileListBox::Loader_Ready));
}

// The same pattern keeps the list: its watch already shows what changes in the folder,
// and reading it again would make every row anew, as at each start of the program.
void FileListBox::Pattern(const std::string& pattern) {
  if (pattern == pattern_ && (opening_ || complete_)) return;
  Load(path_, pattern);
}

void FileListBox::Path(const std::string& path) {
  char* current = g_get_current_dir();
  const std::string base(current);
  g_free(current);
  Load(path.empty() ? path : NormalizeFolderPath(path, base), pattern_);
}

void FileListBox::Refresh() { Load(path_, pattern_); }

void FileListBox::Reload() {
  keep_ = FileName();
  keep_scroll_ = get_vadjustment()->get_value();
  try {
    Load(path_, pattern_, true);
  } catch (const common::Error&) {
    keep_.reset();
    throw;
  }
}

std::string FileListBox::FileName() const { return List(ListIndex()); }

int FileListBox::ListCount() const { return listing_ ? static_cast<int>(listing_->size()) : 0; }

std::string FileListBox::List(int index) const {
  if (index < 0 || index >= ListCount()) return {};
  return listing_->Name(static_cast<std::size_t>(index));
}

int FileListBox::ListIndex() const {
  const guint selected = selection_->get_selected();
  return selected < static_cast<guint>(ListCount()) ? static_cast<int>(selected) : -1;
}

void FileListBox::ListIndex(int index) {
  // The selection raises Click through Selection_Changed, as a click on the row does.
  const bool valid = index >= 0 && index < ListCount();
  selection_->set_selected(valid ? static_cast<guint>(index) : GTK_INVALID_LIST_POSITION);
}

void FileListBox::Load(const std::string& path, const std::string& pattern, bool keep) {
  if (!keep) keep_.reset();
  // Reading comes first: a folder that cannot be read throws before anything changes,
  // but for a folder still loading, which the failed load replaced.
  std::optional<FolderLoader::Opened> opened;
  try {
    opened = loader_.Load(path, EntryKind::kFiles, NamePattern(pattern));
  } catch (const common::Error&) {
    if (opening_) Loader_Failed("");
    throw;
  }
  path_ = path;
  pattern_ = pattern;
  opening_ = !opened;
  Show(opened ? opened->listing : nullptr);
}

void FileListBox::Show(FolderLoader::Listing listing) {
  listing_ = std::move(listing);
  complete_ = listing_ != nullptr;
  showing_ = true;
  selection_->set_selected(GTK_INVALID_LIST_POSITION);
  const guint size = listing_ ? static_cast<guint>(listing_->size()) : 0;
  // New rows replace the one that had the keyboard focus; the list keeps it.
  const bool focused = HoldsFocus(view_);
  rows_->Reset(size + (opening_ ? 1 : 0), [listing = listing_, size](guint position) {
    return position < size ? DisplayName(listing->Name(position)) : std::string(kLoading);
  });
  if (focused && !HoldsFocus(view_)) view_.grab_focus();
  showing_ = false;
  // A folder opened or read again starts at its top, however far the last one was
  // scrolled; one reloaded stays where the user was.
  if (size != 0 && !keep_)
    view_.activate_action("list.scroll-to-item", Glib::Variant<guint32>::create(0));
  if (complete_ && keep_) Restore();
  if (complete_) Watch();
  if (complete_) listed_.emit();
}

// The folder shown is watched once it has answered, so that what other programs
// create, delete or rename in it shows.
void FileListBox::Watch() {
  if (path_ == watched_ && monitor_) return;
  if (monitor_) monitor_->cancel();
  monitor_.reset();
  reload_.disconnect();
  watched_ = path_;
  common::TrapFailure(
      [this] {
        monitor_ = Gio::File::create_for_path(path_)->monitor_directory(
            Gio::FileMonitorFlags::WATCH_MOVES);
        monitor_->signal_changed().connect(sigc::mem_fun(*this, &FileListBox::Monitor_Changed));
      },
      [](const std::string&) {});  // a folder that cannot be watched is still shown
}

void FileListBox::Monitor_Changed(const Glib::RefPtr<Gio::File>&, const Glib::RefPtr<Gio::File>&,
                                  Gio::FileMonitor::Event event) {
  using Event = Gio::FileMonitor::Event;
  switch (event) {
    case Event::CREATED:
    case Event::DELETED:
    case Event::RENAMED:
    case Event::MOVED_IN:
    case Event::MOVED_OUT:
    case Event::MOVED:
      break;
    default:
      return;  // a file's content or attributes do not change the list
  }
  // A burst of changes is read once.
  if (!reload_.connected())
    reload_ =
        Glib::signal_timeout().connect(sigc::mem_fun(*this, &FileListBox::Reload_Due), kSettleMs);
}

// A folder that went is left to the folder list; this one shows what it last had.
bool FileListBox::Reload_Due() {
  if (watched_ != path_) return false;
  common::TrapFailure([this] { Reload(); }, [](const std::string&) {});
  folder_changed_.emit();
  return false;
}

void FileListBox::Restore() {
  const std::string selected = *keep_;
  keep_.reset();
  get_vadjustment()->set_value(keep_scroll_);
  if (selected.empty()) return;
  for (int index = 0; index < ListCount(); ++index) {
    if (List(index) == selected) {
      ListIndex(index);
      return;
    }
  }
  unselected_.emit();
}

void FileListBox::Loader_Opened(const FolderLoader::Opened& opened) {
  opening_ = false;
  Show(opened.listing);
}

// The folder answered too late to say why it cannot be read; it shows as empty.
void FileListBox::Loader_Failed(const std::string&) {
  opening_ = false;
  Show(std::make_shared<const FolderListing>());
}

void FileListBox::Loader_Ready(FolderLoader::Listing listing) { Show(std::move(listing)); }

void FileListBox::Row_Setup(const Glib::RefPtr<Gtk::ListItem>& item) {
  auto* label = Gtk::make_managed<Gtk::Inscription>();
  label->set_text_overflow(Gtk::Inscription::Overflow::ELLIPSIZE_END);
  item->set_child(*label);
}

void FileListBox::Row_Bind(const Glib::RefPtr<Gtk::ListItem>& item) {
  auto* label = dynamic_cast<Gtk::Inscription*>(item->get_child());
  auto row = std::dynamic_pointer_cast<Gtk::StringObject>(item->get_item());
  if (!label || !row) return;
  label->set_text(row->get_string());
  common::SetAccessibleName(*label, row->get_string());
  MarkRow(*label, item->get_position());
}

void FileListBox::Selection_Changed() {
  // Neither a cleared selection nor the loading row is a file.
  if (showing_ || ListIndex() < 0) return;
  click_.emit();
}

void FileListBox::View_Activate(guint position) {
  if (position >= static_cast<guint>(ListCount())) return;  // the loading row
  ListIndex(static_cast<int>(position));
  dbl_click_.emit();
}

// Letters select the next file whose name starts with what was typed; Enter opens the
// file selected.
bool FileListBox::View_KeyPressed(guint keyval, guint, Gdk::ModifierType state) {
  if (OpensRow(keyval, state)) {
    View_Activate(selection_->get_selected());
    return true;
  }
  const auto text = TypedText(keyval, state);
  if (!text) return false;
  const auto row = type_ahead_.Type(
      *text, TypeAhead::Clock::now(), ListCount(),
      [this](int index) { return DisplayName(List(index).c_str()); }, ListIndex());
  if (!row) return true;
  ListIndex(*row);
  view_.activate_action("list.scroll-to-item", Glib::Variant<guint32>::create(*row));
  FocusRow(view_, static_cast<guint>(*row));
  return true;
}

}  // namespace filemanager
