# Dateien — deutsche Übersetzung (de-DE).
# Variablen und Auswahlzweige müssen strukturell mit en-US.ftl übereinstimmen.

files-time-unknown = unbekannter Zeitpunkt
