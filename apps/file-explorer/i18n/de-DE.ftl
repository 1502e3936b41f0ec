# Dateien — deutsche Übersetzung (de-DE).
# Variablen und Auswahlzweige müssen strukturell mit en-US.ftl übereinstimmen.

files-time-unknown = unbekannter Zeitpunkt

## Tastenkürzel

files-shortcuts-title = Tastenkürzel
files-shortcuts-summary = Steuerung von Dateien nach der Tastaturkonvention dieses Desktops
files-shortcuts-primary = Primärtaste: Strg auf den meisten Desktops, Befehlstaste unter macOS
files-shortcuts-navigate = Auswahl bewegen: ↑ / ↓ · Bereich auswählen: Umschalt + ↑ / ↓
files-shortcuts-grid = Rasternavigation: ← / → seitwärts; ↑ / ↓ zeilenweise
files-shortcuts-open = Auswahl öffnen: Eingabetaste · umbenennen: F2 · in den Papierkorb: Entf
files-shortcuts-location = Ort bearbeiten: Primärtaste + L · neu laden: F5
files-shortcuts-new-folder = Neuer Ordner: Primärtaste + Umschalt + N
files-shortcuts-edit = Kopieren, ausschneiden, einfügen, Papierkorb rückgängig, alles auswählen: Primärtaste + C / X / V / Z / A
files-shortcuts-hidden = Versteckte Dateien ein- oder ausblenden: Primärtaste + H
files-shortcuts-size = Objektgröße ändern: Primärtaste + + / − · Größe zurücksetzen: Primärtaste + 0
files-shortcuts-context = Kontextmenü: Menütaste oder Rechtsklick
files-shortcuts-close = Diese Übersicht: ? oder F1 · Fenster und Menüs schließen: Esc

## Verfügbarkeit: Aktionen und Status

files-keep-offline = Offline behalten
files-use-automatic-storage = Automatisch speichern
files-pinned-by-parent = Durch übergeordneten Ordner offline
files-retry-download = Download wiederholen
files-free-local-space = Lokalen Speicher freigeben
files-no-pin-needed = Die ausgewählten Objekte sind bereits offline verfügbar
files-no-direct-pin = Keines der ausgewählten Objekte ist selbst als offline markiert
files-keeping-offline = { $count } { $count ->
    [one] Objekt wird
   *[other] Objekte werden
} offline behalten
files-using-automatic = Automatische Speicherung für { $count } { $count ->
    [one] Objekt
   *[other] Objekte
}
files-offline-policy-failed = Offline-Speicherung konnte nicht geändert werden: { $errors }
files-no-retryable-transfer = Für keines der ausgewählten Objekte lässt sich ein Download wiederholen
files-retrying-transfers = { $count } { $count ->
    [one] Übertragung wird
   *[other] Übertragungen werden
} wiederholt …
files-retry-failed = Übertragung konnte nicht wiederholt werden: { $errors }
files-no-local-space-releasable = Keines der ausgewählten Objekte belegt freigebbaren lokalen Speicher
files-freeing-local-space = Lokaler Speicher für { $count } { $count ->
    [one] Objekt
   *[other] Objekte
} wird freigegeben …
files-free-local-space-failed = Lokaler Speicher konnte nicht freigegeben werden: { $errors }
files-eviction-needs-confirmation = Für einige Objekte ist keine weitere Kopie bestätigt; bitte bestätigen, bevor die lokale Kopie entfernt wird
files-destructive-eviction-title = Lokalen Speicher freigeben — keine bestätigte Kopie
files-destructive-eviction-summary = Die Sicherheitsprüfung konnte nicht bestätigen, dass es für { $count } { $count ->
    [one] ausgewähltes Objekt
   *[other] ausgewählte Objekte
} eine weitere aktuelle, dauerhafte Kopie gibt.
files-destructive-eviction-no-replica = Kein anderes Gerät und kein Dienst hat eine dauerhafte Kopie des aktuellen Inhalts bestätigt.
files-destructive-eviction-loss = Gibt es keine andere Quelle mehr, kann der aktuelle Dateiinhalt dauerhaft verloren gehen.
files-destructive-eviction-protected = Offline behaltene Objekte und laufende Übertragungen bleiben geschützt.
files-destructive-eviction-confirm = Lokale Kopie trotzdem entfernen
files-destructive-eviction-started = Lokales Entfernen für { $count } { $count ->
    [one] Objekt
   *[other] Objekte
} gestartet.
files-permanent-delete-title = { $count } { $count ->
    [one] Objekt
   *[other] Objekte
} endgültig löschen?
files-permanent-delete-summary = { $count ->
    [one] Das ausgewählte Objekt wird
   *[other] Die { $count } ausgewählten Objekte werden
} aus dem Papierkorb entfernt.
files-permanent-delete-loss = Dies kann nicht rückgängig gemacht werden.
files-permanent-delete-confirm = Endgültig löschen
files-empty-trash-title = Papierkorb leeren?
files-empty-trash-summary = { $count ->
    [one] 1 Objekt wird aus dem Papierkorb entfernt.
   *[other] Alle { $count } Objekte werden aus dem Papierkorb entfernt.
}
files-empty-trash-confirm = Papierkorb leeren

## Eigenschaften und Verfügbarkeit

files-property-collaborative-record = Gemeinsamer Datensatz: { $record }
files-property-content = Inhalt: { $hash }…
files-residency-metadata-only = nur Metadaten
files-residency-partly-local = teilweise gespeichert ({ $bytes })
files-residency-local = vollständig gespeichert ({ $bytes })
files-property-on-device = Auf diesem Gerät: { $state }
files-property-sharing = Freigaben: { $count } { $count ->
    [one] aktive Freigabe
   *[other] aktive Freigaben
}
files-property-history = Verlauf: { $versions } { $versions ->
    [one] Version
   *[other] Versionen
}, { $conflicts } { $conflicts ->
    [one] offener Konflikt
   *[other] offene Konflikte
}
files-properties-collab-summary = Dateidetails, Speicherort, Freigaben und Verlauf
files-availability-title = Verfügbarkeit — { $name }
files-availability-title-short = Verfügbarkeit …
files-not-stored = Nicht auf diesem Gerät gespeichert
files-partly-stored = Teilweise auf diesem Gerät gespeichert ({ $bytes })
files-stored = Auf diesem Gerät gespeichert ({ $bytes })
files-kept-offline-parent = Durch einen übergeordneten Ordner offline verfügbar
files-kept-offline = Offline verfügbar
files-automatic-storage = Automatische Speicherung
files-replica-unverified = Kopien noch nicht überprüft
files-replica-counts = { $reachable } erreichbar, { $durable } { $durable ->
    [one] dauerhafte Kopie
   *[other] dauerhafte Kopien
}
files-transfer-state = Übertragung: { $state }

## Freigaben

files-search-collaborative-records = Gemeinsame Dateien
files-search-record-provenance = { $path } · Datensatz { $record }
files-copy-one-time-link = Einmal-Freigabelink kopieren
files-share-composer-named = { $person } · { $permission } · { $expiry }
files-share-composer-link = { $permission } · { $expiry } · { $uses }
files-share-choice-view = Ansehen
files-share-choice-edit = Bearbeiten
files-share-choice-day = 24 Stunden
files-share-choice-week = 7 Tage
files-share-choice-month = 30 Tage
files-share-choice-never = Kein Ablauf
files-share-choice-one-use = Einmalig
files-share-choice-bounded-uses = { $count } { $count ->
    [one] Nutzung
   *[other] Nutzungen
}
files-share-creating = Freigabe wird erstellt …
files-share-invalid-options = Diese Freigabeoptionen sind ungültig
files-share-link-needs-expiry = Freigabelinks brauchen ein Ablaufdatum
files-share-invalid-uses = Freigabelinks brauchen ein Nutzungslimit von 1 bis 1.000
files-share-recipient-unreachable = Diese Person hat kein zertifiziertes Gerät, das die Freigabe empfangen kann
files-sharing-access = Freigabe und Zugriff …
files-share-with = Mit { $person } teilen
files-revoke-subject = Zugriff entziehen: { $subject }
files-shared-link = Freigabelink
files-share-link-pending = Es wird bereits ein Freigabelink erstellt
files-share-change-pending = Eine andere Freigabeänderung läuft noch
files-select-collaborative-file = Wählen Sie eine gemeinsame Datei aus
files-select-shared-file = Wählen Sie eine freigegebene Datei aus
files-sharing-unavailable = Für dieses Objekt ist keine Freigabe möglich
files-creating-one-use-link = Einmal-Freigabelink wird erstellt …
files-share-with-progress = Wird mit { $person } geteilt …
files-revoking-access = Zugriff wird entzogen …
files-not-shared = Nicht freigegeben
files-anyone-link = Alle mit dem Link
files-can-view = darf ansehen
files-can-edit = darf bearbeiten
files-grant-active = aktiv
files-grant-expired = abgelaufen
files-grant-revoked = entzogen
files-grant-exhausted = aufgebraucht
files-no-expiry = kein Ablauf
files-expires = läuft ab am { $time }
files-share-grant-line = { $subject } · { $permission } · { $status } · { $expiry }
files-sharing-title = Freigabe — { $name }
files-certified-devices = Zertifizierte Geräte von { $person }: { $devices }
files-certified-device-detail = { $device } · Schlüssel { $fingerprint } · { $capabilities } · ausgestellt am { $issued } · { $expiry }
files-device-cap-own = besitzt Arbeitsbereiche
files-device-cap-admit = nimmt Geräte auf
files-device-cap-host = dient als Host
files-device-cap-read-all = liest alle Arbeitsbereiche
files-device-cap-member = Mitgliedsgerät
files-sharing-summary = { $count } { $count ->
    [one] aktive Freigabe
   *[other] aktive Freigaben
}; bereits kopierte Daten lassen sich nicht zurückholen
files-link-copied = Freigabelink in die Zwischenablage kopiert
files-share-created = Mit { $person } geteilt
files-share-created-pending = Mit { $person } geteilt; die Zustellung an die Geräte steht noch aus
files-share-created-delivered = Mit { $person } geteilt und an die Geräte zugestellt
files-access-revoked = Zugriff entzogen
files-share-inactive = Dieser Zugriff war bereits inaktiv

## Verlauf und Konfliktlösung

files-version-history = Versionsverlauf …
files-restore-previous = Vorherige Version wiederherstellen
files-resolve-keep-current = { $conflict } lösen: Aktuelle Version behalten
files-resolve-use-other = { $conflict } lösen: Version von { $device } verwenden
files-conflict-resolved = Konflikt gelöst
files-strategy-keep-both = Beide Versionen werden behalten …
files-history-change-pending = Eine andere Verlaufsänderung läuft noch
files-select-file-with-history = Wählen Sie eine Datei mit Versionsverlauf aus
files-keeping-current = Aktuelle Version wird behalten …
files-applying-other = Andere Version wird übernommen …
files-merging-versions = Versionen werden zusammengeführt …
files-merge-review-menu = Zusammenführung prüfen
files-merge-review-title = Zusammenführung prüfen — { $name }
files-merge-review-checking = Es wird geprüft, ob sich beide Änderungen sicher zusammenführen lassen …
files-merge-review-checking-detail = Vemo vergleicht beide Änderungen mit ihrer gemeinsamen Grundlage. Währenddessen wird nichts verändert.
files-merge-review-safe = Beide Änderungen lassen sich ohne überlappende Bearbeitungen zusammenführen.
files-merge-review-needs-review = Die Änderungen überschneiden sich und müssen von Hand geprüft werden.
files-merge-review-unavailable = Für diesen Konflikt ist keine Prüfung der Zusammenführung verfügbar.
files-merge-review-no-apply = Es wird nichts automatisch zusammengeführt; behalten Sie eine der Versionen, um den Konflikt zu lösen.
files-merge-review-incoming = Eingehende Änderung von { $device }
files-merge-review-undo = Die Zusammenführung wird als neue Version gespeichert und lässt sich im Versionsverlauf rückgängig machen.
files-merge-apply-safe = Sicher zusammenführen
files-merge-apply-safe-detail = Vemo prüft die gemeinsame Grundlage und beide Versionen erneut, bevor die Zusammenführung geschrieben wird.
files-conflict-resolved-signed = Konflikt gelöst und signiert
files-history-change-saved = Verlaufsänderung gespeichert
files-history-action-created = Erstellt
files-history-action-edited = Bearbeitet
files-history-action-renamed = Umbenannt
files-history-action-moved = Verschoben
files-history-action-deleted = Gelöscht
files-history-action-conflict-resolved = Konflikt gelöst
files-history-action-restored = Frühere Version wiederhergestellt
files-history-action-changed = Geändert

## Zusammenarbeitsstatus für Bedienungshilfen

files-a11y-transfer-failed = Übertragung fehlgeschlagen
files-a11y-transfer-queued = Übertragung in der Warteschlange
files-a11y-downloading = Wird heruntergeladen
files-a11y-uploading = Wird hochgeladen
files-a11y-verifying = Wird überprüft
files-a11y-online-only = Nur online
files-a11y-partly-offline = Teilweise offline verfügbar
files-a11y-available-offline = Offline verfügbar
files-a11y-kept-offline-parent = Durch einen übergeordneten Ordner offline verfügbar
files-a11y-kept-offline = Offline behalten
files-a11y-replica-unknown = Status der Kopien unbekannt
files-a11y-durably-replicated = Dauerhaft gesichert
files-a11y-not-durably-replicated = Nicht dauerhaft gesichert
files-a11y-shared-recipients = Geteilt mit { $count } { $count ->
    [one] Person
   *[other] Personen
}
files-a11y-version-conflict = Hat einen Versionskonflikt

## Fehler und Status von Diensten und empfangenen Freigaben

files-conflict-encode-failed = Die Anfrage zur Konfliktlösung konnte nicht vorbereitet werden
files-conflict-request-too-large = Die Anfrage zur Konfliktlösung ist zu groß
files-conflict-resolve-failed = Der Konflikt konnte nicht gelöst werden: { $error }
files-share-wrong-response = Der Freigabedienst hat unerwartet geantwortet
files-share-runtime-failed = Die Freigabeanfrage konnte nicht gestartet werden: { $error }
files-share-unavailable-error = Der Freigabedienst ist nicht erreichbar: { $error }
files-share-encode-failed = Die Freigabeanfrage konnte nicht vorbereitet werden: { $error }
files-share-request-too-large = Die Freigabeanfrage ist zu groß
files-share-request-failed = Die Freigabeanfrage konnte nicht gesendet werden: { $error }
files-share-no-response = Der Freigabedienst antwortet nicht: { $error }
files-share-response-too-large = Die Antwort des Freigabedienstes ist zu groß
files-share-response-truncated = Die Antwort des Freigabedienstes ist unvollständig: { $error }
files-share-response-invalid = Die Antwort des Freigabedienstes ist nicht lesbar: { $error }
files-share-refused = Der Freigabedienst hat die Anfrage abgelehnt ({ $code })
files-received-refused = Der Dienst für empfangene Dateien hat den Link abgelehnt ({ $code })
files-received-wrong-response = Der Dienst für empfangene Dateien hat unerwartet geantwortet
files-received-runtime-failed = Das Öffnen der empfangenen Datei konnte nicht gestartet werden: { $error }
files-received-encode-failed = Die Anfrage für die empfangene Datei konnte nicht vorbereitet werden
files-received-request-too-large = Die Anfrage für die empfangene Datei ist zu groß
files-received-unavailable = Der Dienst für empfangene Dateien ist nicht erreichbar
files-received-no-response = Der Dienst für empfangene Dateien antwortet nicht
files-received-response-too-large = Die Antwort des Dienstes für empfangene Dateien ist zu groß
files-received-response-truncated = Die Antwort des Dienstes für empfangene Dateien ist unvollständig
files-received-response-invalid = Die Antwort des Dienstes für empfangene Dateien ist nicht lesbar
files-received-not-available = Empfangene Dateien sind in dieser Sitzung nicht verfügbar
files-received-fd-clone-failed = Die Verbindung zum Dienst für empfangene Dateien konnte nicht übernommen werden
files-received-fd-invalid = Die Verbindung zum Dienst für empfangene Dateien ist nicht nutzbar
files-received-file = Geteilte Datei empfangen
files-received-mount-starting = Geteilte Datei angenommen; sie wird gerade eingebunden
files-received-admitted = Geteilte Datei angenommen
files-received-link-read-failed = Der Link zur geteilten Datei konnte nicht gelesen werden
files-received-link-too-large = Der Link zur geteilten Datei ist zu lang
files-received-link-invalid-text = Der Link zur geteilten Datei ist kein gültiger Text
files-received-link-empty = Der Link zur geteilten Datei ist leer

## Programmoberfläche und Navigation

files-back = Zurück
files-forward = Vorwärts
files-up = Einen Ordner nach oben
files-view-list = Liste
files-view-grid = Raster
files-sort-by = Sortieren nach
files-view-options = Ansichtsoptionen
files-path-placeholder = Pfad eingeben, z. B. ~/Dokumente
files-place-home = Persönlicher Ordner
files-place-favourites = Favoriten
files-place-system = System
files-place-root = Wurzelverzeichnis
files-place-trash = Papierkorb
files-place-workspace = Arbeitsbereich

## Liste, Lade- und Fehlerzustand, Bedienungshilfen

files-column-name = Name
files-column-size = Größe
files-column-modified = Geändert
files-try-again = Erneut versuchen
files-loading = Wird geladen …
files-loading-folder = { $path } wird geladen
files-loading-title = Ordner wird geöffnet
files-loading-detail = { $path } wird gelesen …
files-directory-read-failed = Dieser Ordner konnte nicht geöffnet werden: { $error }
files-load-error-title = Ordner konnte nicht geöffnet werden
files-load-error-detail = { $error } · { $path }
files-a11y-load-error = Ordner konnte nicht geladen werden: { $error }. „Erneut versuchen“ ist verfügbar
files-a11y-panel-details = { $title }. { $summary }. { $details }. Zum Schließen Esc drücken
files-a11y-dialog-close = { $summary }. Zum Schließen Esc drücken
files-a11y-activity = Dateiaktivität
files-a11y-current-folder = Aktueller Ordner: { $path }
files-a11y-places = Orte
files-a11y-favourite = Favorit
files-a11y-system-location = Systemort
files-a11y-place-description = { $section }, { $path }
files-a11y-breadcrumbs = Pfadleiste
files-a11y-current-breadcrumb = Aktueller Ordner, { $path }. Eingabetaste drücken, um den Pfad zu bearbeiten
files-a11y-open-folder = { $path } öffnen
files-empty-trash = Der Papierkorb ist leer
files-empty-folder = Dieser Ordner ist leer
files-item-count = { $count } { $count ->
    [one] Objekt
   *[other] Objekte
}
files-selected-count = { $base }  ·  { $count } ausgewählt
files-a11y-list = Dateien
files-a11y-folder = Ordner
files-a11y-file = Datei, { $size }
files-new-name-placeholder = Neuer Name

## Eigenschaften

files-property-type = Typ: { $type }
files-property-location = Ort: { $location }
files-property-size = Größe: { $size }
files-property-modified = Geändert: { $time }
files-property-dimensions = Abmessungen: { $width } × { $height } px
files-property-duration = Dauer: { $duration }
files-property-pages = Seiten: { $count }
files-property-codec = Codec: { $codec }
files-property-container = Container: { $container }
files-property-unknown = Unbekannt
files-properties-title = Eigenschaften — { $name }
files-properties-summary = Dateidetails

## Ergebnisse von Dateivorgängen

files-new-folder-default-name = Neuer Ordner
files-created-folder = Ordner erstellt
files-new-folder-failed = Ordner konnte nicht erstellt werden: { $error }
files-permanently-deleted = { $count } { $count ->
    [one] Objekt
   *[other] Objekte
} endgültig gelöscht
files-delete-failed = Löschen fehlgeschlagen: { $error }
files-moved-to-trash = { $count } { $count ->
    [one] Objekt
   *[other] Objekte
} in den Papierkorb verschoben
files-restored = { $count } { $count ->
    [one] Objekt
   *[other] Objekte
} wiederhergestellt
files-undo-move-trash = Verschieben in den Papierkorb rückgängig machen
files-undo-trash-restored = { $count ->
    [one] 1 Objekt
   *[other] { $count } Objekte
} wiederhergestellt
files-undo-trash-unavailable = Rückgängig ist nicht mehr möglich, weil sich der Papierkorb geändert hat
files-undo-trash-failed = Die Objekte im Papierkorb konnten nicht wiederhergestellt werden: { $error }
files-restore-failed = Wiederherstellen fehlgeschlagen: { $error }
files-trash-already-empty = Der Papierkorb ist bereits leer
files-emptied-trash = Papierkorb geleert ({ $count })
files-empty-trash-failed = Papierkorb konnte nicht geleert werden: { $error }
files-copied = { $count } { $count ->
    [one] Objekt
   *[other] Objekte
} kopiert
files-cut = { $count } { $count ->
    [one] Objekt
   *[other] Objekte
} ausgeschnitten
files-created-file = Datei erstellt
files-new-file-failed = Datei konnte nicht erstellt werden: { $error }
files-added-favourite = Zu den Favoriten hinzugefügt
files-removed-favourite = Aus den Favoriten entfernt
files-moved-with-failures = { $moved } nach „{ $destination }“ verschoben ({ $failed } fehlgeschlagen)
files-moved-to-folder = { $count } { $count ->
    [one] Objekt
   *[other] Objekte
} nach „{ $destination }“ verschoben
files-nothing-to-move = Nichts zu verschieben
files-pasted = { $count } { $count ->
    [one] Objekt
   *[other] Objekte
} eingefügt
files-pasted-with-failures = { $count } eingefügt ({ $failed } fehlgeschlagen)
files-renamed = Umbenannt
files-rename-failed = Umbenennen fehlgeschlagen: { $error }

## Kontext-, Ansichts- und Sortiermenüs

files-menu-open = Öffnen
files-action-reveal = In Dateien zeigen
files-menu-restore = Wiederherstellen
files-menu-delete-permanently = Endgültig löschen
files-menu-empty-trash = Papierkorb leeren
files-menu-rename = Umbenennen
files-action-rename-prompt = Neuen Namen eingeben
files-menu-cut = Ausschneiden
files-menu-copy = Kopieren
files-menu-properties = Eigenschaften …
files-menu-paste = Einfügen
files-menu-new-folder = Neuer Ordner
files-menu-new-file = Neue Datei  ›
files-menu-move-trash = In den Papierkorb verschieben
files-menu-add-favourite = Zu den Favoriten hinzufügen
files-menu-remove-favourite = Aus den Favoriten entfernen
files-menu-hide-hidden = Versteckte Dateien ausblenden
files-menu-show-hidden = Versteckte Dateien anzeigen
files-menu-sort-name = Nach Name sortieren
files-menu-sort-size = Nach Größe sortieren
files-menu-sort-type = Nach Typ sortieren
files-menu-sort-date = Nach Datum sortieren
files-menu-open-terminal = Terminal hier öffnen
files-sort-name = Name
files-sort-size = Größe
files-sort-type = Typ
files-sort-date = Datum
files-sort-ascending = Aufsteigend
files-sort-descending = Absteigend
files-new-from-template = Neu: { $name }
files-drag-items = { $count } Objekte

## Archive

files-archive-extract = Archiv entpacken …
files-archive-extract-here = Hier entpacken
files-archive-compress = Als ZIP komprimieren
files-archive-select-compress = Wählen Sie die zu komprimierenden Objekte aus
files-archive-read-only = Archive sind schreibgeschützt, bis sie entpackt werden
files-archive-open-after-extract = Entpacken Sie dieses Archiv, um darin enthaltene Dateien zu öffnen oder zu bearbeiten
files-archive-select = Wählen Sie ein Archiv zum Entpacken aus
files-archive-extracted =
    { $count ->
        [one] 1 Datei entpackt
       *[other] { $count } Dateien entpackt
    }
files-archive-extracted-partial = { $count } Dateien entpackt; { $failures }
files-archive-extract-failed = Entpacken fehlgeschlagen: { $error }
files-archive-created = „{ $name }“ erstellt
files-archive-create-failed = Komprimieren fehlgeschlagen: { $error }

## Prüfung von Dateivorgängen

files-folder-name-empty = Der Ordnername darf nicht leer sein
files-name-empty = Der Name darf nicht leer sein
files-name-slash = Der Name darf kein „/“ enthalten
files-name-invalid = Geben Sie einen gültigen Datei- oder Ordnernamen ein
files-no-parent = Kein übergeordneter Ordner
files-name-exists = „{ $name }“ ist bereits vorhanden
files-destination-inspect-failed = „{ $path }“ kann nicht geprüft werden: { $error }
files-destination-names-exhausted = Zu viele Dateien namens „{ $name }“ in „{ $path }“. Wählen Sie einen anderen Namen oder Ordner.
files-source-no-name = Die Quelle hat keinen Dateinamen
files-menu-send-nearby = An Gerät in der Nähe senden …
files-action-send-nearby-device = An { $device } senden
files-nearby-send-to-device = { $device }
files-nearby-select-one = Wählen Sie genau ein Objekt zum Senden aus
files-nearby-loading-devices = Geräte in der Nähe werden gesucht …
files-nearby-no-devices = Keine Geräte in der Nähe verfügbar
files-nearby-choose-device = Wählen Sie ein Zielgerät
files-nearby-queueing = Senden an Gerät in der Nähe wird vorbereitet …
files-nearby-accepted = Übertragung angenommen
files-nearby-declined = Übertragung abgelehnt
files-nearby-cancelled = Übertragung abgebrochen
files-nearby-retrying = Übertragung wird wiederholt …
files-nearby-accept = Annehmen
files-nearby-retry = Wiederholen
files-nearby-consent-detail = Es wird nichts gespeichert, bevor Sie genau diese Übertragung annehmen.
files-nearby-retry-detail = Beim Wiederholen wird das Objekt noch einmal von vorn gesendet.
files-nearby-offer-title = Senden in der Nähe — { $device }
files-nearby-offer-summary = Möchte Ihnen „{ $name }“ senden
files-nearby-offer-size = Größe: { $bytes } Byte
files-nearby-failed-title = Senden in der Nähe fehlgeschlagen
files-nearby-failed-device = Die Übertragung mit { $device } wurde nicht abgeschlossen.
files-nearby-choose-destination = Speicherort wählen
files-nearby-no-destinations = Auf diesem Gerät ist kein Speicherort verfügbar.
files-nearby-destination-count = { $count } { $count ->
    [one] Speicherort ist
   *[other] Speicherorte sind
} verfügbar.
files-nearby-save-to-destination = In { $destination } speichern
files-nearby-save-and-remember = In { $destination } speichern und merken
