# Files — source locale (en-US).
# Collaboration, availability, history and received-share surfaces are the
# first migrated tranche. Variables are data, never preformatted Fluent source.

files-time-unknown = unknown time

## Keyboard shortcuts

files-shortcuts-title = Keyboard shortcuts
files-shortcuts-summary = Files controls that work with the current desktop keyboard convention
files-shortcuts-primary = Primary modifier: Ctrl on most desktops, Command on macOS
files-shortcuts-navigate = Move selection: ↑ / ↓ · select a range: Shift + ↑ / ↓
files-shortcuts-grid = Grid navigation: ← / → move across; ↑ / ↓ move by visual row
files-shortcuts-open = Open selected: Enter · rename: F2 · move to Trash: Delete
files-shortcuts-location = Edit location: Primary + L · refresh: F5
files-shortcuts-new-folder = New folder: Primary + Shift + N
files-shortcuts-edit = Copy, cut, paste, undo Trash, select all: Primary + C / X / V / Z / A
files-shortcuts-hidden = Show or hide hidden files: Primary + H
files-shortcuts-size = Change item size: Primary + + / − · reset size: Primary + 0
files-shortcuts-context = Context menu: Menu key or right-click
files-shortcuts-close = Show this reference: ? or F1 · close sheets and menus: Escape

## Availability actions and status

files-keep-offline = Keep Offline
files-use-automatic-storage = Use Automatic Storage
files-pinned-by-parent = Pinned by Parent Folder
files-retry-download = Retry Download
files-free-local-space = Free Local Space
files-no-pin-needed = The selected items are already kept offline
files-no-direct-pin = None of the selected items is kept offline by its own setting
files-keeping-offline = Keeping { $count } { $count ->
    [one] item
   *[other] items
} offline
files-using-automatic = Using automatic storage for { $count } { $count ->
    [one] item
   *[other] items
}
files-offline-policy-failed = Could not change offline storage: { $errors }
files-no-retryable-transfer = None of the selected items has a download to retry
files-retrying-transfers = Retrying { $count } { $count ->
    [one] transfer
   *[other] transfers
}…
files-retry-failed = Could not retry the transfer: { $errors }
files-no-local-space-releasable = None of the selected items has local content that can be freed
files-freeing-local-space = Freeing local space for { $count } { $count ->
    [one] item
   *[other] items
}…
files-free-local-space-failed = Could not free local space: { $errors }
files-eviction-needs-confirmation = Some items have no verified copy elsewhere; confirm before their local copy is removed
files-destructive-eviction-title = Free local space — no verified copy
files-destructive-eviction-summary = Safety checks could not prove that { $count } selected { $count ->
    [one] item has
   *[other] items have
} another fresh, durable copy.
files-destructive-eviction-no-replica = No other device or service has confirmed a durable copy of the current contents.
files-destructive-eviction-loss = If no source remains, the current file contents may become permanently unavailable.
files-destructive-eviction-protected = Items kept offline and items with a transfer in progress stay protected.
files-destructive-eviction-confirm = Remove Local Copy Anyway
files-destructive-eviction-started = Destructive local removal started for { $count } { $count ->
    [one] item
   *[other] items
}.
files-permanent-delete-title = Permanently delete { $count } { $count ->
    [one] item
   *[other] items
}?
files-permanent-delete-summary = The selected { $count } { $count ->
    [one] item will
   *[other] items will
} be removed from Trash.
files-permanent-delete-loss = This cannot be undone.
files-permanent-delete-confirm = Delete Permanently
files-empty-trash-title = Empty Trash?
files-empty-trash-summary = { $count ->
    [one] 1 item will be removed from Trash.
   *[other] All { $count } items will be removed from Trash.
}
files-empty-trash-confirm = Empty Trash

## Properties and availability sheet

files-property-collaborative-record = Collaborative record: { $record }
files-property-content = Content: { $hash }…
files-residency-metadata-only = metadata only
files-residency-partly-local = partly stored ({ $bytes })
files-residency-local = fully stored ({ $bytes })
files-property-on-device = On this device: { $state }
files-property-sharing = Sharing: { $count } active { $count ->
    [one] grant
   *[other] grants
}
files-property-history = History: { $versions } { $versions ->
    [one] version
   *[other] versions
}, { $conflicts } open { $conflicts ->
    [one] conflict
   *[other] conflicts
}
files-properties-collab-summary = File details, storage, sharing and history
files-availability-title = Availability — { $name }
files-availability-title-short = Availability…
files-not-stored = Not stored on this device
files-partly-stored = Partly stored on this device ({ $bytes })
files-stored = Stored on this device ({ $bytes })
files-kept-offline-parent = Kept offline by a parent folder
files-kept-offline = Kept offline
files-automatic-storage = Automatic storage
files-replica-unverified = Replicas not verified yet
files-replica-counts = { $reachable } reachable, { $durable } durable { $durable ->
    [one] replica
   *[other] replicas
}
files-transfer-state = Transfer: { $state }

## Sharing

files-search-collaborative-records = Collaborative files
files-search-record-provenance = { $path } · record { $record }
files-copy-one-time-link = Copy One-Time Share Link
files-share-composer-named = { $person } · { $permission } · { $expiry }
files-share-composer-link = { $permission } · { $expiry } · { $uses }
files-share-choice-view = Can view
files-share-choice-edit = Can edit
files-share-choice-day = 24 hours
files-share-choice-week = 7 days
files-share-choice-month = 30 days
files-share-choice-never = No expiry
files-share-choice-one-use = One use
files-share-choice-bounded-uses = { $count } { $count ->
    [one] use
   *[other] uses
}
files-share-creating = Creating share…
files-share-invalid-options = These sharing options are not valid
files-share-link-needs-expiry = Share links need an expiry
files-share-invalid-uses = Share links require a use limit from 1 to 1,000
files-share-recipient-unreachable = This person has no certified device that can receive the share
files-sharing-access = Sharing & Access…
files-share-with = Share with { $person }
files-revoke-subject = Revoke access: { $subject }
files-shared-link = shared link
files-share-link-pending = A share link is already being created
files-share-change-pending = Another sharing change is still running
files-select-collaborative-file = Select one collaborative file
files-select-shared-file = Select one shared file
files-sharing-unavailable = Sharing is not available for this item
files-creating-one-use-link = Creating a one-time share link…
files-share-with-progress = Sharing with { $person }…
files-revoking-access = Revoking access…
files-not-shared = Not shared
files-anyone-link = Anyone with the link
files-can-view = can view
files-can-edit = can edit
files-grant-active = active
files-grant-expired = expired
files-grant-revoked = revoked
files-grant-exhausted = used up
files-no-expiry = no expiry
files-expires = expires { $time }
files-share-grant-line = { $subject } · { $permission } · { $status } · { $expiry }
files-sharing-title = Sharing — { $name }
files-certified-devices = Certified devices of { $person }: { $devices }
files-certified-device-detail = { $device } · key { $fingerprint } · { $capabilities } · issued { $issued } · { $expiry }
files-device-cap-own = owns workspaces
files-device-cap-admit = admits devices
files-device-cap-host = acts as host
files-device-cap-read-all = reads all workspaces
files-device-cap-member = member device
files-sharing-summary = { $count } active { $count ->
    [one] grant
   *[other] grants
}; copied bytes cannot be recalled
files-link-copied = Share link copied to the clipboard
files-share-created = Shared with { $person }
files-share-created-pending = Shared with { $person }; delivery to their devices is pending
files-share-created-delivered = Shared with { $person } and delivered to their devices
files-access-revoked = Access revoked
files-share-inactive = This access was already inactive

## History and conflict resolution

files-version-history = Version History…
files-restore-previous = Restore Previous Version
files-resolve-keep-current = Resolve { $conflict }: Keep Current Version
files-resolve-use-other = Resolve { $conflict }: Use Version from { $device }
files-conflict-resolved = Conflict resolved
files-strategy-keep-both = Keeping both versions…
files-history-change-pending = Another history change is still running
files-select-file-with-history = Select one file with version history
files-keeping-current = Keeping the current version…
files-applying-other = Applying the other version…
files-merging-versions = Merging versions…
files-merge-review-menu = Review merge
files-merge-review-title = Review merge — { $name }
files-merge-review-checking = Checking whether both changes can be merged safely…
files-merge-review-checking-detail = Vemo is comparing both changes with their shared base. Nothing is changed while this runs.
files-merge-review-safe = Both changes can be merged without overlapping edits.
files-merge-review-needs-review = The changes overlap and need a manual review.
files-merge-review-unavailable = A merge check is not available for this conflict.
files-merge-review-no-apply = Nothing is merged automatically; keep one of the versions to resolve the conflict.
files-merge-review-incoming = Incoming change from { $device }
files-merge-review-undo = The merge is saved as a new version, so it can be undone from the version history.
files-merge-apply-safe = Apply safe merge
files-merge-apply-safe-detail = Vemo checks the shared base and both versions again before it writes the merge.
files-conflict-resolved-signed = Conflict resolved and signed
files-history-change-saved = History change saved
files-history-action-created = Created
files-history-action-edited = Edited
files-history-action-renamed = Renamed
files-history-action-moved = Moved
files-history-action-deleted = Deleted
files-history-action-conflict-resolved = Resolved a conflict
files-history-action-restored = Restored an earlier version
files-history-action-changed = Changed

## Accessible collaborative state

files-a11y-transfer-failed = Transfer failed
files-a11y-transfer-queued = Transfer queued
files-a11y-downloading = Downloading
files-a11y-uploading = Uploading
files-a11y-verifying = Verifying
files-a11y-online-only = Online only
files-a11y-partly-offline = Partly available offline
files-a11y-available-offline = Available offline
files-a11y-kept-offline-parent = Kept offline by a parent folder
files-a11y-kept-offline = Kept offline
files-a11y-replica-unknown = Replica status unknown
files-a11y-durably-replicated = Durably replicated
files-a11y-not-durably-replicated = Not durably replicated
files-a11y-shared-recipients = Shared with { $count } { $count ->
    [one] recipient
   *[other] recipients
}
files-a11y-version-conflict = Has a version conflict

## Service and received-share errors/status

files-conflict-encode-failed = Could not prepare the conflict resolution request
files-conflict-request-too-large = The conflict resolution request is too large
files-conflict-resolve-failed = Could not resolve the conflict: { $error }
files-share-wrong-response = The sharing service sent an unexpected response
files-share-runtime-failed = Could not start the sharing request: { $error }
files-share-unavailable-error = The sharing service is unavailable: { $error }
files-share-encode-failed = Could not prepare the sharing request: { $error }
files-share-request-too-large = The sharing request is too large
files-share-request-failed = Could not send the sharing request: { $error }
files-share-no-response = The sharing service did not respond: { $error }
files-share-response-too-large = The sharing service’s response is too large
files-share-response-truncated = The sharing service’s response was cut off: { $error }
files-share-response-invalid = The sharing service’s response could not be read: { $error }
files-share-refused = The sharing service refused the request ({ $code })
files-received-refused = The shared-file service refused the link ({ $code })
files-received-wrong-response = The shared-file service sent an unexpected response
files-received-runtime-failed = Could not start opening the shared file: { $error }
files-received-encode-failed = Could not prepare the shared-file request
files-received-request-too-large = The shared-file request is too large
files-received-unavailable = The shared-file service is unavailable
files-received-no-response = The shared-file service did not respond
files-received-response-too-large = The shared-file service’s response is too large
files-received-response-truncated = The shared-file service’s response was cut off
files-received-response-invalid = The shared-file service’s response could not be read
files-received-not-available = Shared files are not available in this session
files-received-fd-clone-failed = Could not take over the connection to the shared-file service
files-received-fd-invalid = The connection to the shared-file service cannot be used
files-received-file = Received shared file
files-received-mount-starting = Shared file admitted; mount is starting
files-received-admitted = Shared file admitted
files-received-link-read-failed = Could not read the shared-file link
files-received-link-too-large = Shared-file link exceeds its bound
files-received-link-invalid-text = Shared-file link is not valid text
files-received-link-empty = Shared-file link is empty

## Application chrome and navigation

files-back = Back
files-forward = Forward
files-up = Up one folder
files-view-list = List
files-view-grid = Grid
files-sort-by = Sort by
files-view-options = View options
files-path-placeholder = Type a path, e.g. ~/Documents
files-place-home = Home
files-place-favourites = Favourites
files-place-system = System
files-place-root = Root
files-place-trash = Trash
files-place-workspace = Workspace

## List, empty/error state and accessibility

files-column-name = Name
files-column-size = Size
files-column-modified = Modified
files-try-again = Try Again
files-loading = Loading…
files-loading-folder = Loading { $path }
files-loading-title = Opening folder
files-loading-detail = Reading { $path }…
files-directory-read-failed = Could not open this folder: { $error }
files-load-error-title = Couldn’t open this folder
files-load-error-detail = { $error } · { $path }
files-a11y-load-error = Could not load folder: { $error }. Try Again is available
files-a11y-panel-details = { $title }. { $summary }. { $details }. Press Escape to close
files-a11y-dialog-close = { $summary }. Press Escape to close
files-a11y-activity = Files activity
files-a11y-current-folder = Current folder: { $path }
files-a11y-places = Places
files-a11y-favourite = Favourite
files-a11y-system-location = System location
files-a11y-place-description = { $section }, { $path }
files-a11y-breadcrumbs = Breadcrumbs
files-a11y-current-breadcrumb = Current folder, { $path }. Press Enter to edit the path
files-a11y-open-folder = Open { $path }
files-empty-trash = Trash is empty
files-empty-folder = This folder is empty
files-item-count = { $count } { $count ->
    [one] item
   *[other] items
}
files-selected-count = { $base }  ·  { $count } selected
files-a11y-list = Files
files-a11y-folder = Folder
files-a11y-file = File, { $size }
files-new-name-placeholder = New name

## Properties

files-property-type = Type: { $type }
files-property-location = Location: { $location }
files-property-size = Size: { $size }
files-property-modified = Modified: { $time }
files-property-dimensions = Dimensions: { $width } × { $height } px
files-property-duration = Duration: { $duration }
files-property-pages = Pages: { $count }
files-property-codec = Codec: { $codec }
files-property-container = Container: { $container }
files-property-unknown = Unknown
files-properties-title = Properties — { $name }
files-properties-summary = File details

## Ordinary operation results

files-new-folder-default-name = New Folder
files-created-folder = Created folder
files-new-folder-failed = New folder failed: { $error }
files-permanently-deleted = Permanently deleted { $count } { $count ->
    [one] item
   *[other] items
}
files-delete-failed = Delete failed: { $error }
files-moved-to-trash = Moved { $count } { $count ->
    [one] item
   *[other] items
} to Trash
files-restored = Restored { $count } { $count ->
    [one] item
   *[other] items
}
files-undo-move-trash = Undo Move to Trash
files-undo-trash-restored = Restored { $count ->
    [one] 1 item
   *[other] { $count } items
}
files-undo-trash-unavailable = Undo is no longer available because Trash changed
files-undo-trash-failed = Could not restore the trashed items: { $error }
files-restore-failed = Restore failed: { $error }
files-trash-already-empty = Trash is already empty
files-emptied-trash = Emptied Trash ({ $count })
files-empty-trash-failed = Could not empty Trash: { $error }
files-copied = Copied { $count } { $count ->
    [one] item
   *[other] items
}
files-cut = Cut { $count } { $count ->
    [one] item
   *[other] items
}
files-created-file = Created file
files-new-file-failed = New file failed: { $error }
files-added-favourite = Added to Favourites
files-removed-favourite = Removed from Favourites
files-moved-with-failures = Moved { $moved } to “{ $destination }” ({ $failed } failed)
files-moved-to-folder = Moved { $count } { $count ->
    [one] item
   *[other] items
} to “{ $destination }”
files-nothing-to-move = Nothing to move
files-pasted = Pasted { $count } { $count ->
    [one] item
   *[other] items
}
files-pasted-with-failures = Pasted { $count } ({ $failed } failed)
files-renamed = Renamed
files-rename-failed = Rename failed: { $error }

## Context, view and sort menus

files-menu-open = Open
files-action-reveal = Reveal in Files
files-menu-restore = Restore
files-menu-delete-permanently = Delete Permanently
files-menu-empty-trash = Empty Trash
files-menu-rename = Rename
files-action-rename-prompt = Enter the new name
files-menu-cut = Cut
files-menu-copy = Copy
files-menu-properties = Properties…
files-menu-paste = Paste
files-menu-new-folder = New Folder
files-menu-new-file = New File  ›
files-menu-move-trash = Move to Trash
files-menu-add-favourite = Add to Favourites
files-menu-remove-favourite = Remove from Favourites
files-menu-hide-hidden = Hide Hidden Files
files-menu-show-hidden = Show Hidden Files
files-menu-sort-name = Sort by Name
files-menu-sort-size = Sort by Size
files-menu-sort-type = Sort by Type
files-menu-sort-date = Sort by Date
files-menu-open-terminal = Open Terminal Here
files-sort-name = Name
files-sort-size = Size
files-sort-type = Type
files-sort-date = Date
files-sort-ascending = Ascending
files-sort-descending = Descending
files-new-from-template = New { $name }
files-drag-items = { $count } items

## Archives

files-archive-extract = Extract archive…
files-archive-extract-here = Extract here
files-archive-compress = Compress to ZIP
files-archive-select-compress = Select the items to compress
files-archive-read-only = Archives are read-only until extracted
files-archive-open-after-extract = Extract this archive to open or edit files inside it
files-archive-select = Select an archive to extract
files-archive-extracted =
    { $count ->
        [one] Extracted 1 file
       *[other] Extracted { $count } files
    }
files-archive-extracted-partial = Extracted { $count } files; { $failures }
files-archive-extract-failed = Extraction failed: { $error }
files-archive-created = Created “{ $name }”
files-archive-create-failed = Compression failed: { $error }

## File-operation validation

files-folder-name-empty = Folder name cannot be empty
files-name-empty = Name cannot be empty
files-name-slash = Name cannot contain '/'
files-name-invalid = Enter a valid file or folder name
files-no-parent = No parent directory
files-name-exists = “{ $name }” already exists
files-destination-inspect-failed = Cannot check “{ $path }”: { $error }
files-destination-names-exhausted = Too many files named “{ $name }” in “{ $path }”. Choose another name or folder.
files-source-no-name = Source has no file name
files-menu-send-nearby = Send to Nearby Device…
files-action-send-nearby-device = Send to { $device }
files-nearby-send-to-device = { $device }
files-nearby-select-one = Select one item to send to a nearby device
files-nearby-loading-devices = Looking for nearby devices…
files-nearby-no-devices = No nearby devices are available
files-nearby-choose-device = Choose a device to send to
files-nearby-queueing = Preparing Nearby Send…
files-nearby-accepted = Transfer accepted
files-nearby-declined = Transfer declined
files-nearby-cancelled = Transfer cancelled
files-nearby-retrying = Retrying transfer…
files-nearby-accept = Accept
files-nearby-retry = Retry
files-nearby-consent-detail = Nothing is saved until you accept this exact transfer.
files-nearby-retry-detail = Retrying sends the item again from the start.
files-nearby-offer-title = Nearby Send — { $device }
files-nearby-offer-summary = Wants to send you “{ $name }”
files-nearby-offer-size = Size: { $bytes } bytes
files-nearby-failed-title = Nearby Send failed
files-nearby-failed-device = The transfer with { $device } did not finish.
files-nearby-choose-destination = Choose where to save
files-nearby-no-destinations = No save location is available on this device.
files-nearby-destination-count = { $count } { $count ->
    [one] save location is
   *[other] save locations are
} available.
files-nearby-save-to-destination = Save to { $destination }
files-nearby-save-and-remember = Save to { $destination } and remember
